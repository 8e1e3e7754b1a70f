#pragma once
// Which fixes of a log become points, and where the track breaks into
// segments: one decision per fix, in the log's order. Nothing is held but the
// times and positions of a few fixes, so that every option streams in the
// same small memory whatever the length of the log.

#include <array>
#include <cstddef>
#include <optional>
#include <variant>

#include "conversion/formats/track_statistics.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

// Which of a log's fixes are kept, one choice: one in N counted from the
// first (one in 1 is every fix), or one per duration, a fix at least that
// long after the last one written.
struct OneFixIn {
  int Fixes = 1;
};
struct OneFixPer {
  long long Ms = 0;
};
using KeptFixes = std::variant<OneFixIn, OneFixPer>;

// What else decides the fixes kept, and where the track breaks.
struct TrackOptions {
  std::optional<long long> SplitGapMs{};  // a longer gap between fixes starts a new segment
  bool FixesOnly = false;               // leave out what the receiver did not give as a fix
  std::optional<double> MaxSpeedKmh{};    // leave out a fix that only a faster jump could reach
};

enum class Keep {
  Drop,  // not written
  Now,   // written now
  Held,  // written later only if it turns out to be the last of the log or of its segment
};

struct FixDecision {
  // Which fix of the log, counted from 0.
  long long Fix = 0;
  // The fix held before this one ends its segment: it is written first.
  bool WriteHeldFirst = false;
  Keep This = Keep::Drop;
  // This fix, written now, starts a new segment.
  bool StartsSegment = false;
};

// With a maximum speed, a fix is an anchor for those after it only once the
// track confirms it: at the start this many fixes in a row, each within
// reach of the one before it, the receiver having a fix. A fix waits at
// most while SpeedWindow fixes come after it; the run keeps the records of
// WaitingRecords fixes.
constexpr int ConfirmingFixes = 3;
constexpr std::size_t SpeedWindow = 12;
constexpr std::size_t WaitingRecords = SpeedWindow + 1;

class TrackFilter {
 public:
  // `onEarthOnly`: positions outside the earth's ranges are left out (the map
  // formats, whose readers reject them).
  TrackFilter(const KeptFixes& kept, const TrackOptions& options, bool onEarthOnly);

  // The next log of a merge: judged as if converted alone, its first fix a
  // new segment when segments are asked for.
  void StartLog();
  // The next fix of the log. Its decision, and those of fixes before it, may
  // come at once or later (Delays): Decided hands them out in the log's order.
  void Add(const FixFacts& fix);
  bool Decided(FixDecision& decision);
  // Whether a decision may come after later fixes were added, so that the
  // run must keep the record of each fix until its decision: with a maximum
  // speed, at most SpeedWindow of them.
  bool Delays() const { return options_.MaxSpeedKmh.has_value(); }
  // The log has ended: every fix is decided. Then whether the fix held last
  // is written, as the log's last.
  void FinishLog();
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
  bool Due(const std::optional<long long>& clock) const;
  FixDecision Thin(const std::optional<long long>& clock);

  struct Reference {
    double Latitude = 0;
    double Longitude = 0;
    long long Clock = 0;
  };
  enum class Fate { Open, Kept, Dropped };
  struct Waiting {
    Reference Where;
    std::optional<long long> Clock;
    bool Real = true;  // the receiver had a fix
    Fate Decision = Fate::Open;
  };
  // The speed test: whether a jump between the two is within the maximum speed.
  bool Reaches(const Reference& from, const Reference& to) const;
  void AddToWindow(const FixFacts& fix);
  void JudgeSpeed(long long index);
  // A chain: from a waiting fix on, each waiting fix within reach of the
  // last one taken.
  struct Chain {
    long long Start = -1;
    int Length = 0;
    int Real = 0;
  };
  // The chain with the most real fixes, then the most fixes, then the earliest.
  Chain BestChain() const;
  // Its fixes are kept and the last becomes the anchor; the others waiting are left out.
  void Confirm(const Chain& chain);
  void DropOpen();
  void Drop(Waiting& waiting);
  Waiting& At(long long index) { return log_.Queue[static_cast<std::size_t>(index) % WaitingRecords]; }
  const Waiting& At(long long index) const { return log_.Queue[static_cast<std::size_t>(index) % WaitingRecords]; }

  KeptFixes kept_;
  TrackOptions options_;
  bool onEarthOnly_;
  DroppedFixes dropped_;
  bool pointsBefore_ = false;  // written from earlier logs of a merge

  struct LogState {
    long long Days = 0;                         // milliseconds added to the time of day
    std::optional<long long> LastTimeOfDay;     // of the last timed fix
    // The fixes added and not yet handed out, from the first of them on.
    std::array<Waiting, WaitingRecords> Queue;
    long long First = 0;
    long long Added = 0;
    // The last fix kept; none until the track has confirmed one.
    std::optional<Reference> Anchor;
    long long Passed = 0;                       // fixes that reached the thinning
    std::optional<long long> LastPassedClock;   // for the gaps
    std::optional<long long> LastWrittenClock;  // for --every
    bool Held = false;
  };
  LogState log_;
};

}  // namespace conversion
