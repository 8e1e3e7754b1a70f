#include "conversion/reading/second_motion.hpp"

#include <utility>

#include "conversion/reading/sentence_decoding.hpp"

namespace conversion {

void SecondMotion::EndGap(bool positionBefore, std::optional<long long> before, std::optional<long long> after) {
  Sentences gap = std::exchange(gap_, Sentences{});
  if (gap.Empty()) return;
  // An RMC without a time names no second.
  const bool hasRmc = gap.RmcMilliseconds.has_value();
  const bool namesBefore = hasRmc && gap.RmcMilliseconds == before;
  const bool namesAfter = hasRmc && gap.RmcMilliseconds == after;
  if (positionBefore && (namesBefore || (!hasRmc && !latest_.Named))) {
    gap.Named = namesBefore;
    latest_ = std::move(gap);
  } else if (namesAfter || !positionBefore) {
    gap.Named = namesAfter;
    next_ = std::move(gap);
  }
  // An RMC of neither second, or sentences without one after a named second:
  // none of theirs is the fix's.
}

void SecondMotion::Advance() { latest_ = std::exchange(next_, Sentences{}); }

void SecondMotion::Fill(FixState& fix, long long* wrongChecksums) {
  const SavedLine& line = latest_.Vtg.Empty() ? latest_.Rmc : latest_.Vtg;
  if (line.Empty()) {
    fix.CourseGiven = fix.SpeedGiven = false;
    fix.Course = fix.SpeedKmh = fix.SpeedMph = 0;
    return;
  }
  if (&line == &latest_.Rmc) return DecodeRmcMotion(line.View(), fix);
  // An RMC's checksum was looked at as it came, for its date.
  if (wrongChecksums != nullptr && !ChecksumMatches(line.View())) ++*wrongChecksums;
  DecodeVtg(line.View(), fix);
}

}  // namespace conversion
