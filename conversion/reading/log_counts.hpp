#pragma once
// How a log is read beyond its sentences' rules, and what reading it counted.

#include <optional>
#include <string>

#include "conversion/reading/fix_state.hpp"

namespace conversion {

// Beyond the specified reading, for the command line.
struct ReadingOptions {
  bool SkipWrongChecksums = false;
  // Whole GPS week rollovers (1024 weeks each) to move the log's dates
  // forward by; none to look at the evidence (week_rollover.hpp).
  std::optional<int> WeekRollovers{};
  // Days since 1970-01-01 of the log's first fix, for a log whose RMC
  // sentences give no date (a GGA time has none of its own).
  std::optional<long long> FirstDay{};
};

// What the log held, to say why it gave no record.
struct LogCounts {
  long long Lines = 0;
  PositionSentence PositionsFrom = PositionSentence::Gga;  // GGA unless the log has none
  std::string Talker;                    // of the first position sentence: "GP", "GN", ...
  long long Positions = 0;               // position sentences of that talker, read or not
  long long WithoutPosition = 0;         // of those, the ones without a fix (see HasFix)
  std::string OtherTalker;               // the first other talker of a position sentence
  long long OtherTalkerPositions = 0;    // position sentences of other talkers, passed over
  // Sentences whose checksum did not match: those skipped, or else those
  // whose values were taken.
  long long WrongChecksums = 0;
  // Positions read whose time is no time of day (hours beyond 23, minutes
  // or seconds beyond 59): their points have no time.
  long long ImpossibleTimes = 0;
};

}  // namespace conversion
