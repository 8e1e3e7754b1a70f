#include "conversion/run/track_filter.hpp"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace conversion;

namespace {

// Along the equator a thousandth of a degree is 111 m.
FixFacts At(double seconds, double longitude = 0, double latitude = 0.001) {
  FixFacts fix;
  fix.Latitude = latitude;
  fix.Longitude = longitude;
  if (seconds >= 0) fix.MillisecondsOfDay = static_cast<long long>(seconds * 1000);
  return fix;
}
FixFacts Quality(FixFacts fix, char quality) {
  fix.Quality = quality;
  return fix;
}
FixFacts Void(FixFacts fix) {
  fix.EpochVoid = true;
  return fix;
}

std::vector<FixFacts> EverySecond(int from, int count, double longitude = 0) {
  std::vector<FixFacts> fixes;
  for (int i = 0; i < count; ++i) fixes.push_back(At((from + i) % 86400, longitude + i * 0.0001));
  return fixes;
}

std::vector<FixFacts> Joined(std::vector<FixFacts> first, const std::vector<FixFacts>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The numbers of the fixes written, in the order written; "|" before a new segment.
std::string Written(const TrackOptions& options, const std::vector<std::vector<FixFacts>>& logs,
                    bool onEarthOnly = true, DroppedFixes* dropped = nullptr, const KeptFixes& kept = {}) {
  TrackFilter filter(kept, options, onEarthOnly);
  std::string written;
  long long number = 0;
  long long held = 0;
  auto write = [&](long long n, bool startsSegment = false) {
    if (!written.empty()) written += ' ';
    if (startsSegment) written += "| ";
    written += std::to_string(n);
  };
  for (const std::vector<FixFacts>& log : logs) {
    if (&log != &logs.front()) filter.StartLog();
    auto decided = [&] {
      for (FixDecision decision; filter.Decided(decision);) {
        const long long n = number + decision.Fix + 1;
        if (decision.WriteHeldFirst) write(held);
        if (decision.This == Keep::Now) write(n, decision.StartsSegment);
        if (decision.This == Keep::Held) held = n;
      }
    };
    for (const FixFacts& fix : log) {
      filter.Add(fix);
      decided();
    }
    filter.FinishLog();
    decided();
    if (filter.EndLog()) write(held);
    number += static_cast<long long>(log.size());
  }
  if (dropped) *dropped = filter.Dropped();
  return written;
}

KeptFixes Every(double seconds) { return OneFixPer{static_cast<long long>(seconds * 1000)}; }

}  // namespace

TEST_CASE("Thinning by count and by time keeps the first and the last fix") {
  struct Case {
    const char* Name;
    KeptFixes Kept;
    std::vector<FixFacts> Fixes;
    std::string Written;
  };
  const std::vector<FixFacts> fiveHz = {At(0), At(0.2), At(0.4), At(0.6), At(0.8), At(1.0), At(1.2), At(1.4)};
  const Case cases[] = {
      {"one in 5 of 12", OneFixIn{5}, EverySecond(0, 12), "1 6 11 12"},
      {"every 5 s at 1 Hz", Every(5), EverySecond(100, 13), "1 6 11 13"},
      {"every 1 s at 5 Hz", Every(1), fiveHz, "1 6 8"},
      {"across midnight", Every(5), EverySecond(86400 - 3, 8), "1 6 8"},
      {"an epoch repeated, a step back", Every(2), {At(10), At(11), At(11), At(10.5), At(12), At(13)}, "1 5 6"},
      {"fixes without a time: first and last", Every(5), {At(-1), At(-1), At(-1)}, "1 3"},
      {"the first timed fix after an untimed first", Every(5), {At(-1), At(3), At(4), At(9)}, "1 2 4"},
      {"a single fix", Every(5), {At(1)}, "1"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    CHECK(Written({}, {c.Fixes}, true, nullptr, c.Kept) == c.Written);
  }
}

TEST_CASE("Fixes that are no fixes, or off the earth, are left out and not counted by the thinning") {
  struct Case {
    const char* Name;
    bool FixesOnly;
    bool OnEarthOnly;
    std::vector<FixFacts> Fixes;
    std::string Written;
    long long NotFixes;
    long long OffEarth;
  };
  const Case cases[] = {
      {"quality 0", true, true, {At(0), Quality(At(1), '0'), At(2), At(3)}, "1 4", 1, 0},
      {"a position of zeros", true, true, {At(0), At(1, 0, 0), At(2), At(3)}, "1 4", 1, 0},
      {"an epoch whose RMC said V", true, true, {At(0), Void(At(1)), At(2), At(3)}, "1 4", 1, 0},
      {"all written without the option", false, true, {At(0), Quality(At(1), '0'), At(2, 0, 0), At(3)}, "1 3 4", 0, 0},
      {"the last real fix is the last written", true, true, {At(0), At(1), Quality(At(2), '0')}, "1 2", 1, 0},
      {"latitude beyond 90", false, true, {At(0), At(1, 0, 95), At(2), At(3)}, "1 4", 0, 1},
      {"longitude beyond 180", false, true, {At(0), At(1, -181), At(2), At(3)}, "1 4", 0, 1},
      {"the pushpin file keeps them", false, false, {At(0), At(1, 0, 95), At(2), At(3)}, "1 3 4", 0, 0},
      {"the poles and the antimeridian are on the earth", false, true, {At(0, 180, 90), At(1, -180, -90)}, "1 2", 0, 0},
  };
  TrackOptions options;
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    options.FixesOnly = c.FixesOnly;
    DroppedFixes dropped;
    CHECK(Written(options, {c.Fixes}, c.OnEarthOnly, &dropped, OneFixIn{2}) == c.Written);
    CHECK(dropped.NotFixes == c.NotFixes);
    CHECK(dropped.OffEarth == c.OffEarth);
  }
}

TEST_CASE("A fix only a jump faster than the maximum speed reaches is an outlier, unless the track confirms it") {
  // 0.0001 degrees a second along the equator: 40 km/h.
  const std::vector<FixFacts> road = EverySecond(0, 3);
  const FixFacts jump = At(3, 4.5);  // 500 km away
  struct Case {
    const char* Name;
    std::vector<FixFacts> Fixes;
    std::string Written;
    long long Outliers;
  };
  const Case cases[] = {
      {"a jump of 500 km", Joined(road, {jump, At(4, 0.0004), At(5, 0.0005)}), "1 2 3 5 6", 1},
      {"500 km after a gap long enough", Joined(road, {At(3 + 7200, 4.5)}), "1 2 3 4", 0},
      {"13 fixes 500 km away: the receiver moved", Joined(road, EverySecond(3, 13, 4.5)),
       "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", 0},
      {"12 are still outliers, the track coming back after them",
       Joined(road, Joined(EverySecond(3, 12, 4.5), {At(15, 0.0015)})), "1 2 3 16", 12},
      {"12 are still outliers at the end of the log", Joined(road, EverySecond(3, 12, 4.5)), "1 2 3", 12},
      {"a first fix 11 km off", Joined({At(0, 0.1)}, EverySecond(1, 10)), "2 3 4 5 6 7 8 9 10 11", 1},
      {"a good fix, then one 11 km off, then good ones", {At(0), At(1, 0.1), At(2, 0.0002), At(3, 0.0003)}, "1 3 4", 1},
      {"placeholders without a fix before the first real fixes",
       Joined({Quality(At(0, 4.5), '0'), Quality(At(1, 4.5), '0'), Quality(At(2, 4.5), '0'), Quality(At(3, 4.5), '0')},
              {Quality(At(4), '0'), At(5, 0.0001), At(6, 0.0002), At(7, 0.0003)}),
       "5 6 7 8", 4},
      {"two fixes that disagree: the earlier", {At(0), At(1, 4.5)}, "1", 1},
      {"the same time again, the same place", {At(0), At(0)}, "1 2", 0},
      {"the same time again, elsewhere", {At(0), At(0, 0.001), At(1, 0.0001)}, "1 3", 1},
      {"across midnight", {At(86399, 0), At(0, 0.0001)}, "1 2", 0},
      {"a fix without a time is not judged", {At(0), At(-1, 4.5), At(1, 0.0001)}, "1 2 3", 0},
  };
  TrackOptions options;
  options.MaxSpeedKmh = 300;
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    DroppedFixes dropped;
    CHECK(Written(options, {c.Fixes}, true, &dropped) == c.Written);
    CHECK(dropped.Outliers == c.Outliers);
  }
}

TEST_CASE("A gap longer than the split starts a segment; the fix before it ends the last one") {
  TrackOptions split;
  split.SplitGapMs = 60'000;
  struct Case {
    const char* Name;
    TrackOptions Options;
    std::vector<std::vector<FixFacts>> Logs;
    std::string Written;
    KeptFixes Kept = {};
  };
  const Case cases[] = {
      {"a gap of 200 s", split, {Joined(EverySecond(0, 3), EverySecond(200, 2))}, "1 2 3 | 4 5"},
      {"a gap of exactly the split", split, {Joined(EverySecond(0, 2), EverySecond(61, 1))}, "1 2 3"},
      {"thinned, both ends kept", split, {Joined(EverySecond(0, 9), EverySecond(200, 7))}, "1 6 9 | 10 15 16", Every(5)},
      {"across midnight", split, {Joined(EverySecond(86398, 2), EverySecond(100, 1))}, "1 2 | 3"},
      {"merged logs: a segment each", split, {EverySecond(0, 2), EverySecond(5, 2)}, "1 2 | 3 4"},
      {"merged logs without a split: one track", {}, {EverySecond(0, 2), EverySecond(5, 2)}, "1 2 3 4", Every(5)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    CHECK(Written(c.Options, c.Logs, true, nullptr, c.Kept) == c.Written);
  }
}
