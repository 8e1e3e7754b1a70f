#include "conversion/formats/track_statistics.hpp"

#include <doctest/doctest.h>

#include <vector>

using namespace conversion;

namespace {

// One degree along a great circle.
constexpr double DegreeKm = 111.19508;

TrackPoint At(double latitude, double longitude, std::optional<double> seconds = std::nullopt,
              std::optional<double> speed = std::nullopt, std::optional<long long> day = std::nullopt) {
  TrackPoint point;
  point.Latitude = latitude;
  point.Longitude = longitude;
  point.SecondsOfDay = seconds;
  point.Day = day;
  point.SpeedKmh = speed;
  return point;
}

TrackStatistics Of(const std::vector<TrackPoint>& points) {
  TrackStatistics statistics;
  for (const TrackPoint& point : points) statistics.Add(point);
  return statistics;
}

}  // namespace

TEST_CASE("Distance, duration and moving time of tracks known by hand") {
  struct Case {
    const char* Name;
    std::vector<TrackPoint> Points;
    double Km;
    double Duration;
    double Moving;
  };
  const Case cases[] = {
      {"an hour along the equator", {At(0, 0, 36000), At(0, 0.5, 37800), At(0, 1, 39600)}, DegreeKm, 3600, 3600},
      {"north along a meridian", {At(-0.5, 10, 0), At(0.5, 10, 60)}, DegreeKm, 60, 60},
      {"across the antimeridian", {At(0, 179.5, 0), At(0, -179.5, 3600)}, DegreeKm, 3600, 3600},
      {"across midnight, undated", {At(0, 0, 86400 - 1800), At(0, 0.5, 1800)}, DegreeKm / 2, 3600, 3600},
      {"across midnight, dated", {At(0, 0, 86400 - 1800, {}, 100), At(0, 0.5, 1800, {}, 101)}, DegreeKm / 2, 3600,
       3600},
      {"a day apart by the dates", {At(0, 0, 0, {}, 100), At(0, 0, 0, {}, 101)}, 0, 86400, 0},
      {"a repeated epoch adds no time", {At(0, 0, 100), At(0, 0.001, 99), At(0, 0.002, 101)}, DegreeKm / 500, 1,
       1},
      {"standing still, speed logged as 0", {At(0, 0, 0, 0.0), At(0, 0.0001, 1, 0.0)}, DegreeKm / 10000, 1, 0},
      {"records without a time: distance only", {At(0, 0), At(0, 1)}, DegreeKm, 0, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    const TrackStatistics s = Of(c.Points);
    CHECK(s.Records() == static_cast<long long>(c.Points.size()));
    CHECK(s.DistanceKm() == doctest::Approx(c.Km).epsilon(1e-5));
    CHECK(s.DurationSeconds() == c.Duration);
    CHECK(s.MovingSeconds() == c.Moving);
  }
}

TEST_CASE("Speeds: logged ones first, else over the intervals") {
  const TrackStatistics logged = Of({At(0, 0, 0, 10.0), At(0, 0.5, 1800, 130.0), At(0, 1, 3600, 90.0)});
  CHECK(logged.MaximumSpeedKmh() == 130.0);
  CHECK(*logged.AverageSpeedKmh() == doctest::Approx(DegreeKm));
  const TrackStatistics measured = Of({At(0, 0, 0), At(0, 0.5, 3600), At(0, 1, 5400)});
  CHECK(*measured.MaximumSpeedKmh() == doctest::Approx(DegreeKm));
  CHECK_FALSE(Of({At(0, 0, 0, 0.0)}).AverageSpeedKmh());
}

TEST_CASE("The bounding box takes the short way round") {
  struct Case {
    std::vector<TrackPoint> Points;
    BoundingBox Box;
  };
  const Case cases[] = {
      {{At(48.1, 11.5), At(48.3, 11.2)}, {48.1, 11.2, 48.3, 11.5}},
      {{At(-17, 179.5), At(-16, -179), At(-16.5, 178)}, {-17, 178, -16, -179}},
      {{At(51.5, -0.5), At(51.4, 0.2)}, {51.4, -0.5, 51.5, 0.2}},
  };
  for (const Case& c : cases) {
    const BoundingBox box = *Of(c.Points).Box();
    CHECK(box.South == c.Box.South);
    CHECK(box.West == c.Box.West);
    CHECK(box.North == c.Box.North);
    CHECK(box.East == c.Box.East);
  }
  CHECK_FALSE(TrackStatistics().Box());
}

TEST_CASE("The step to the next log of a merge is no travel; the gap before a segment is no moving time") {
  struct Case {
    const char* Name;
    bool NewLog;
    double Km;
    double Duration;
    double Moving;
  };
  const Case cases[] = {
      {"logs a day apart", true, DegreeKm, 86400 + 1800, 3600},
      {"a segment after a gap", false, DegreeKm * 1.5, 86400 + 1800, 3600},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    TrackStatistics s = Of({At(0, 0, 0, {}, 100), At(0, 0.5, 1800, {}, 100)});
    s.Break(c.NewLog);
    s.Add(At(0, 1, 0, {}, 101));
    s.Add(At(0, 1.5, 1800, {}, 101));
    CHECK(s.DistanceKm() == doctest::Approx(c.Km).epsilon(1e-5));
    CHECK(s.DurationSeconds() == c.Duration);
    CHECK(s.MovingSeconds() == c.Moving);
  }
}

TEST_CASE("The maximum speed is never below the average") {
  // Speeds logged as 0 at both ends of a track that moved a degree in an hour.
  const TrackStatistics s = Of({At(0, 0, 0, 0.0), At(0, 0.5, 1800), At(0, 1, 3600, 0.0)});
  CHECK(*s.AverageSpeedKmh() == doctest::Approx(DegreeKm));
  CHECK(*s.MaximumSpeedKmh() == doctest::Approx(DegreeKm));
  CHECK_FALSE(s.MaximumLogged());
}

TEST_CASE("The last fix is the last one kept, not the latest") {
  const TrackStatistics s = Of({At(0, 0, 0), At(0, 0, 10), At(0, 0, 20), At(0, 0, 15), At(0, 0, 16)});
  CHECK(*s.FirstTimed()->SecondsOfDay == 0);
  CHECK(*s.LastTimed()->SecondsOfDay == 16);
  CHECK(s.DurationSeconds() == 20);
}
