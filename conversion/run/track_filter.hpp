#pragma once
// Which fixes of a log become points, and where the track breaks into
// segments: one decision per fix, in the log's order. Nothing is held but the
// times and positions of a few fixes, so that every option streams in the
// same small memory whatever the length of the log.

#include <optional>

#include "conversion/formats/track_statistics.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

// What is kept of a log beyond the resolution.
struct TrackOptions {
  std::optional<long long> EveryMs;     // a fix at least this long after the last written one, not the resolution
  std::optional<long long> SplitGapMs;  // a longer gap between fixes starts a new segment
  bool FixesOnly = false;               // leave out what the receiver did not give as a fix
  std::optional<double> MaxSpeedKmh;    // leave out a fix that only a faster jump could reach
};

enum class Keep {
  Drop,  // not written
  Now,   // written now
  Held,  // written later only if it turns out to be the last of the log or of its segment
};

struct FixDecision {
  // The fix held before this one ends its segment: it is written first.
  bool WriteHeldFirst = false;
  Keep This = Keep::Drop;
  // This fix, written now, starts a new segment.
  bool StartsSegment = false;
};

// A run of more outliers than this in a row is the receiver having moved.
constexpr int MostOutliersInRow = 10;

class TrackFilter {
 public:
  // `onEarthOnly`: positions outside the earth's ranges are left out (the map
  // formats, whose readers reject them).
  TrackFilter(const TrackOptions& options, int resolution, bool onEarthOnly);

  // The next log of a merge: judged as if converted alone, its first fix a
  // new segment when segments are asked for.
  void StartLog();
  FixDecision Judge(const FixFacts& fix);
  // At the end of a log: whether the fix held last is written, as the log's last.
  bool EndLog();

  // Whether the facts of a fix play any part; without, only their count does
  // and the reading need not make them.
  bool LooksAtFacts() const;
  // Whether a held fix may be written after later fixes have been read, so
  // that the run must keep a copy of it. Otherwise a held fix is written only
  // at the end of its log, where it is still the latest fix read.
  bool WritesHeldLate() const;

  const DroppedFixes& Dropped() const { return dropped_; }

 private:
  // Milliseconds on one clock for the log, a day later whenever the time of
  // day goes back by more than 12 hours.
  std::optional<long long> Clock(const FixFacts& fix) const;
  bool Outlier(const FixFacts& fix, const std::optional<long long>& clock);
  bool Due(const std::optional<long long>& clock) const;

  TrackOptions options_;
  long long resolution_;
  bool onEarthOnly_;
  DroppedFixes dropped_;
  bool pointsBefore_ = false;  // written from earlier logs of a merge

  struct Reference {
    double Latitude = 0;
    double Longitude = 0;
    long long Clock = 0;
  };
  struct LogState {
    long long Days = 0;                         // milliseconds added to the time of day
    std::optional<long long> LastTimeOfDay;     // of the last fix that passed the speed test
    std::optional<Reference> SpeedReference;    // the last timed one of those
    int OutliersInRow = 0;
    long long Passed = 0;                       // fixes that reached the thinning
    std::optional<long long> LastPassedClock;   // for the gaps
    std::optional<long long> LastWrittenClock;  // for --every
    bool Held = false;
  };
  LogState log_;
};

}  // namespace conversion
