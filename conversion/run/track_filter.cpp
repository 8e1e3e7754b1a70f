#include "conversion/run/track_filter.hpp"

#include <algorithm>
#include <cmath>

#include "conversion/formats/track_statistics.hpp"

namespace conversion {

namespace {

constexpr long long DayMs = 86'400'000;

bool NotFix(const FixFacts& fix) {
  return fix.Quality == '0' || (fix.Latitude == 0 && fix.Longitude == 0) || fix.EpochVoid;
}

bool OnEarth(const FixFacts& fix) { return std::abs(fix.Latitude) <= 90 && std::abs(fix.Longitude) <= 180; }

}  // namespace

TrackFilter::TrackFilter(const KeptFixes& kept, const TrackOptions& options, bool onEarthOnly)
    : kept_(kept), options_(options), onEarthOnly_(onEarthOnly) {}

void TrackFilter::StartLog() { log_ = LogState{}; }

bool TrackFilter::LooksAtFacts() const { return WritesHeldLate() || std::holds_alternative<OneFixPer>(kept_); }

bool TrackFilter::WritesHeldLate() const {
  return options_.FixesOnly || onEarthOnly_ || options_.MaxSpeedKmh || options_.SplitGapMs;
}

std::optional<long long> TrackFilter::Clock(const FixFacts& fix) const {
  if (!fix.MillisecondsOfDay) return std::nullopt;
  const bool midnight = log_.LastTimeOfDay && *fix.MillisecondsOfDay < *log_.LastTimeOfDay - DayMs / 2;
  return log_.Days + (midnight ? DayMs : 0) + *fix.MillisecondsOfDay;
}

bool TrackFilter::Reaches(const Reference& from, const Reference& to) const {
  const double km = GreatCircleKm(from.Latitude, from.Longitude, to.Latitude, to.Longitude);
  const long long elapsed = to.Clock - from.Clock;
  // No time to move in: any distance is too fast.
  return elapsed <= 0 ? km == 0 : km * 3.6e6 <= *options_.MaxSpeedKmh * static_cast<double>(elapsed);
}

void TrackFilter::Drop(Waiting& waiting) {
  waiting.Decision = Fate::Dropped;
  ++dropped_.Outliers;
}

void TrackFilter::DropOpen() {
  for (long long i = log_.First; i < log_.Added; ++i)
    if (At(i).Decision == Fate::Open) Drop(At(i));
}

TrackFilter::Chain TrackFilter::BestChain() const {
  Chain best;
  for (long long start = log_.First; start < log_.Added; ++start) {
    if (At(start).Decision != Fate::Open) continue;
    Chain chain{start, 0, 0};
    const Reference* last = nullptr;
    for (long long i = start; i < log_.Added; ++i) {
      const Waiting& waiting = At(i);
      if (waiting.Decision != Fate::Open || (last && !Reaches(*last, waiting.Where))) continue;
      last = &waiting.Where;
      ++chain.Length;
      chain.Real += waiting.Real ? 1 : 0;
    }
    if (chain.Real > best.Real || (chain.Real == best.Real && chain.Length > best.Length)) best = chain;
  }
  return best;
}

void TrackFilter::Confirm(const Chain& chain) {
  const Reference* last = nullptr;
  for (long long i = log_.First; i < log_.Added; ++i) {
    Waiting& waiting = At(i);
    if (waiting.Decision != Fate::Open) continue;
    if (i >= chain.Start && (!last || Reaches(*last, waiting.Where))) {
      waiting.Decision = Fate::Kept;
      last = &waiting.Where;
    } else {
      Drop(waiting);
    }
  }
  if (last) log_.Anchor = *last;
}

// A fix within reach of the anchor is kept, and what waits before it was a
// detour. Otherwise it waits. Before the track has an anchor, a chain of
// ConfirmingFixes real fixes starts it, and the fixes waiting outside the
// chain were not where the receiver was; after, only a chain found when the
// window is full (Add) does: the receiver moved faster than the track
// allows, and did not come back.
void TrackFilter::JudgeSpeed(long long index) {
  Waiting& fix = At(index);
  if (log_.Anchor && Reaches(*log_.Anchor, fix.Where)) {
    fix.Decision = Fate::Kept;
    DropOpen();
    log_.Anchor = fix.Where;
    return;
  }
  if (log_.Anchor) return;
  const Chain chain = BestChain();
  if (chain.Real >= ConfirmingFixes) Confirm(chain);
}

void TrackFilter::Add(const FixFacts& fix) {
  AddToWindow(fix);
  // A full window: a chain long enough, even without a fix, is taken as the
  // track; else the oldest fix waiting is left out.
  if (log_.Added - log_.First < static_cast<long long>(WaitingRecords) || At(log_.First).Decision != Fate::Open) return;
  const Chain chain = BestChain();
  if (chain.Length >= ConfirmingFixes) Confirm(chain);
  else Drop(At(log_.First));
}

void TrackFilter::AddToWindow(const FixFacts& fix) {
  const long long index = log_.Added++;
  Waiting& waiting = At(index);
  waiting = Waiting{};
  if (options_.FixesOnly && NotFix(fix)) {
    ++dropped_.NotFixes;
    waiting.Decision = Fate::Dropped;
    return;
  }
  if (onEarthOnly_ && !OnEarth(fix)) {
    ++dropped_.OffEarth;
    waiting.Decision = Fate::Dropped;
    return;
  }
  waiting.Clock = Clock(fix);
  if (waiting.Clock) {
    log_.Days = *waiting.Clock - *fix.MillisecondsOfDay;
    log_.LastTimeOfDay = fix.MillisecondsOfDay;
  }
  // A fix without a time cannot be judged by speed.
  if (!options_.MaxSpeedKmh || !waiting.Clock) {
    waiting.Decision = Fate::Kept;
    return;
  }
  waiting.Where = Reference{fix.Latitude, fix.Longitude, *waiting.Clock};
  waiting.Real = !NotFix(fix);
  JudgeSpeed(index);
}

void TrackFilter::FinishLog() {
  if (log_.Anchor) DropOpen();
  else Confirm(BestChain());
}

bool TrackFilter::Decided(FixDecision& decision) {
  if (log_.First == log_.Added || At(log_.First).Decision == Fate::Open) return false;
  const Waiting& waiting = At(log_.First);
  if (waiting.Decision == Fate::Kept) decision = Thin(waiting.Clock);
  else decision = FixDecision{};
  decision.Fix = log_.First++;
  return true;
}

bool TrackFilter::Due(const std::optional<long long>& clock) const {
  if (const OneFixIn* oneIn = std::get_if<OneFixIn>(&kept_))
    return (log_.Passed - 1) % std::max(oneIn->Fixes, 1) == 0;
  if (!clock) return false;
  return !log_.LastWrittenClock || *clock - *log_.LastWrittenClock >= std::get<OneFixPer>(kept_).Ms;
}

FixDecision TrackFilter::Thin(const std::optional<long long>& clock) {
  FixDecision decision;
  ++log_.Passed;
  const bool first = log_.Passed == 1;
  const bool gap = options_.SplitGapMs && clock && log_.LastPassedClock && *clock - *log_.LastPassedClock > *options_.SplitGapMs;
  if (clock) log_.LastPassedClock = clock;
  if (first || gap || Due(clock)) {
    // The last fix before a gap ends its segment, as the last of the log ends the track.
    decision.WriteHeldFirst = gap && log_.Held;
    decision.This = Keep::Now;
    decision.StartsSegment = gap || (first && options_.SplitGapMs && pointsBefore_);
    log_.Held = false;
    if (clock) log_.LastWrittenClock = clock;
    pointsBefore_ = true;
  } else {
    decision.This = Keep::Held;
    log_.Held = true;
  }
  return decision;
}

bool TrackFilter::EndLog() {
  const bool held = log_.Held;
  log_.Held = false;
  return held;
}

}  // namespace conversion
