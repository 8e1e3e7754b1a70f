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

TrackFilter::TrackFilter(const TrackOptions& options, int resolution, bool onEarthOnly)
    : options_(options), resolution_(std::max(resolution, 1)), onEarthOnly_(onEarthOnly) {}

void TrackFilter::StartLog() { log_ = LogState{}; }

bool TrackFilter::LooksAtFacts() const { return WritesHeldLate() || options_.EveryMs; }

bool TrackFilter::WritesHeldLate() const {
  return options_.FixesOnly || onEarthOnly_ || options_.MaxSpeedKmh || options_.SplitGapMs;
}

std::optional<long long> TrackFilter::Clock(const FixFacts& fix) const {
  if (!fix.MillisecondsOfDay) return std::nullopt;
  const bool midnight = log_.LastTimeOfDay && *fix.MillisecondsOfDay < *log_.LastTimeOfDay - DayMs / 2;
  return log_.Days + (midnight ? DayMs : 0) + *fix.MillisecondsOfDay;
}

bool TrackFilter::Outlier(const FixFacts& fix, const std::optional<long long>& clock) {
  if (!options_.MaxSpeedKmh || !clock) return false;
  if (log_.SpeedReference) {
    const double km = GreatCircleKm(log_.SpeedReference->Latitude, log_.SpeedReference->Longitude, fix.Latitude, fix.Longitude);
    const long long elapsed = *clock - log_.SpeedReference->Clock;
    // No time to move in: any distance is too fast.
    const bool tooFast = elapsed <= 0 ? km > 0 : km * 3.6e6 > *options_.MaxSpeedKmh * static_cast<double>(elapsed);
    if (tooFast && ++log_.OutliersInRow <= MostOutliersInRow) return true;
  }
  log_.OutliersInRow = 0;
  log_.SpeedReference = Reference{fix.Latitude, fix.Longitude, *clock};
  return false;
}

bool TrackFilter::Due(const std::optional<long long>& clock) const {
  if (!options_.EveryMs) return (log_.Passed - 1) % resolution_ == 0;
  if (!clock) return false;
  return !log_.LastWrittenClock || *clock - *log_.LastWrittenClock >= *options_.EveryMs;
}

FixDecision TrackFilter::Judge(const FixFacts& fix) {
  FixDecision decision;
  if (options_.FixesOnly && NotFix(fix)) {
    ++dropped_.NotFixes;
    return decision;
  }
  if (onEarthOnly_ && !OnEarth(fix)) {
    ++dropped_.OffEarth;
    return decision;
  }
  const std::optional<long long> clock = Clock(fix);
  if (Outlier(fix, clock)) {
    ++dropped_.Outliers;
    return decision;
  }
  if (clock) {
    log_.Days = *clock - *fix.MillisecondsOfDay;
    log_.LastTimeOfDay = fix.MillisecondsOfDay;
  }

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
