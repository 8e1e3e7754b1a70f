#pragma once
// What a track holds, summed up record by record as a conversion keeps them:
// time span, distance along the track, moving time, speeds and the area it
// covers. Memory stays the same whatever the length of the track.

#include <optional>

#include "conversion/reading/track_record.hpp"

namespace conversion {

// A kept record as the statistics and the track picture see it.
struct TrackPoint {
  double Latitude = 0;   // signed degrees
  double Longitude = 0;
  std::optional<double> SecondsOfDay;  // UTC; none when the log gave no time
  std::optional<long long> Day;        // days since 1970-01-01, when known
  std::optional<double> SpeedKmh;      // as logged; none when the log gave none
};

// Beyond these no fix is real and no map takes the value: ten times the
// speed of sound, 100 km above or below the sea.
constexpr double MostSpeedKmh = 10 * 343 * 3.6;
constexpr double MostAltitudeMetres = 100'000;

// The record as the statistics, the picture and the map formats see it; a
// negative speed, or one beyond MostSpeedKmh, is no speed at all.
TrackPoint PointOf(const TrackRecord& record);

// Degrees; a box across the antimeridian has West greater than East.
struct BoundingBox {
  double South = 0;
  double West = 0;
  double North = 0;
  double East = 0;
};

// Kilometres along the great circle between two points, on the Earth's mean
// radius of 6371.0088 km.
double GreatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2);

constexpr double KmPerMile = 1.609344;
// An interval between two records counts as moving at this speed or more.
constexpr double MovingKmh = 3;

// The fixes the options left out of a track.
struct DroppedFixes {
  long long NotFixes = 0;  // positions without a fix (--fixes-only)
  long long OffEarth = 0;  // beyond 90 degrees of latitude or 180 of longitude
  long long Outliers = 0;  // beyond the maximum speed
};

class TrackStatistics {
 public:
  void Add(const TrackPoint& point);
  // The next point starts another log of a merge (the step to it is no
  // travel), or a segment after a gap (the gap is no moving time).
  void Break(bool newLog);
  // What the options left out: none for an option not given.
  void NoteDropped(const DroppedFixes& dropped, bool fixesOnly, bool maximumSpeed);
  const std::optional<long long>& NotFixesDropped() const { return notFixesDropped_; }
  const std::optional<long long>& OutliersDropped() const { return outliersDropped_; }
  long long OffEarthDropped() const { return offEarthDropped_; }

  long long Records() const { return records_; }
  // The first and last records that have a time, in the order kept (the
  // last need not be the latest).
  const std::optional<TrackPoint>& FirstTimed() const { return firstTimed_; }
  const std::optional<TrackPoint>& LastTimed() const { return lastKeptTimed_; }
  // Seconds from the first to the last timed record. Without dates, a time
  // that goes back by more than 12 hours is taken as the next day; a time
  // that goes back by less (a repeated epoch, logs joined) adds nothing.
  double DurationSeconds() const { return durationSeconds_; }
  double DistanceKm() const { return distanceKm_; }
  // The intervals between timed records whose speed is at least MovingKmh:
  // the logged speed at both ends where the log gives it, else the distance
  // covered over the time.
  double MovingSeconds() const { return movingSeconds_; }
  // The distance covered while moving over the moving time (a receiver
  // standing still wanders, which is no speed); none without moving time.
  std::optional<double> AverageSpeedKmh() const;
  // The highest logged speed; without logged speeds, or with logged speeds
  // all below the average (a receiver that writes 0 whatever it does), the
  // highest over an interval between timed records, which is never below
  // the average.
  std::optional<double> MaximumSpeedKmh() const;
  bool SpeedLogged() const { return maximumLoggedKmh_.has_value(); }
  // Whether the maximum is a logged speed.
  bool MaximumLogged() const;
  // None without records. The smaller of the two boxes that hold every
  // longitude: the one that stops at the antimeridian and the one that
  // stops at the prime meridian's opposite, so a track across the
  // antimeridian gets a narrow box rather than one around the world.
  std::optional<BoundingBox> Box() const;

 private:
  double StepSeconds(const TrackPoint& from, const TrackPoint& to) const;

  // Set by Break until the next point, or the next timed one.
  bool noStep_ = false;
  bool noInterval_ = false;

  long long records_ = 0;
  std::optional<long long> notFixesDropped_;
  std::optional<long long> outliersDropped_;
  long long offEarthDropped_ = 0;
  std::optional<TrackPoint> previous_;
  std::optional<TrackPoint> firstTimed_;
  std::optional<TrackPoint> lastTimed_;  // the latest, which the next interval starts from
  std::optional<TrackPoint> lastKeptTimed_;
  double distanceAtLastTimed_ = 0;
  double durationSeconds_ = 0;
  double distanceKm_ = 0;
  double movingSeconds_ = 0;
  double movingKm_ = 0;
  std::optional<double> maximumLoggedKmh_;
  std::optional<double> maximumIntervalKmh_;
  double south_ = 90, north_ = -90;
  double west_ = 180, east_ = -180;         // longitudes from -180 to 180
  double west360_ = 360, east360_ = 0;      // the same from 0 to 360
};

}  // namespace conversion
