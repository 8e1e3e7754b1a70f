#include "conversion/formats/track_statistics.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace conversion {

namespace {

constexpr double EarthRadiusKm = 6371.0088;
constexpr double SecondsPerDay = 86400;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

}  // namespace

TrackPoint PointOf(const TrackRecord& record) {
  const FixState& fix = record.Fix;
  TrackPoint point;
  point.Latitude = PreciseLatitude(fix);
  point.Longitude = PreciseLongitude(fix);
  point.SecondsOfDay = SecondsOfDay(fix);
  if (point.SecondsOfDay) point.Day = record.Day;
  if (fix.SpeedGiven && fix.SpeedKmh >= 0 && fix.SpeedKmh <= MostSpeedKmh) point.SpeedKmh = fix.SpeedKmh;
  return point;
}

double GreatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2) {
  // Haversine: exact enough for the metres between two fixes, where the
  // law of cosines loses its digits.
  const double dLat = Radians(latitude2 - latitude1);
  const double dLon = Radians(longitude2 - longitude1);
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(Radians(latitude1)) * std::cos(Radians(latitude2)) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * EarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

double TrackStatistics::StepSeconds(const TrackPoint& from, const TrackPoint& to) const {
  double step = *to.SecondsOfDay - *from.SecondsOfDay;
  if (from.Day && to.Day) step += static_cast<double>(*to.Day - *from.Day) * SecondsPerDay;
  else if (step < -SecondsPerDay / 2) step += SecondsPerDay;
  return step;
}

void TrackStatistics::NoteDropped(const DroppedFixes& dropped, bool fixesOnly, bool maximumSpeed) {
  if (fixesOnly) notFixesDropped_ = dropped.NotFixes;
  if (maximumSpeed) outliersDropped_ = dropped.Outliers;
  offEarthDropped_ = dropped.OffEarth;
}

void TrackStatistics::Break(bool newLog) {
  noStep_ = noStep_ || newLog;
  noInterval_ = true;
}

void TrackStatistics::Add(const TrackPoint& point) {
  ++records_;
  south_ = std::min(south_, point.Latitude);
  north_ = std::max(north_, point.Latitude);
  west_ = std::min(west_, point.Longitude);
  east_ = std::max(east_, point.Longitude);
  const double longitude360 = point.Longitude < 0 ? point.Longitude + 360 : point.Longitude;
  west360_ = std::min(west360_, longitude360);
  east360_ = std::max(east360_, longitude360);

  if (previous_ && !noStep_) {
    distanceKm_ += GreatCircleKm(previous_->Latitude, previous_->Longitude, point.Latitude, point.Longitude);
  }
  noStep_ = false;
  previous_ = point;
  if (point.SpeedKmh) maximumLoggedKmh_ = std::max(maximumLoggedKmh_.value_or(0), *point.SpeedKmh);
  if (!point.SecondsOfDay) return;
  lastKeptTimed_ = point;

  const double step = lastTimed_ ? StepSeconds(*lastTimed_, point) : 0;
  // A time that goes back is not the track's latest: the next interval is
  // measured from the one before it.
  if (step < 0) return;
  if (!lastTimed_) {
    firstTimed_ = point;
  } else if (step > 0 && noInterval_) {
    durationSeconds_ += step;
  } else if (step > 0) {
    durationSeconds_ += step;
    const double intervalKmh = (distanceKm_ - distanceAtLastTimed_) / (step / 3600);
    maximumIntervalKmh_ = std::max(maximumIntervalKmh_.value_or(0), intervalKmh);
    const bool logged = point.SpeedKmh && lastTimed_->SpeedKmh;
    const double speed = logged ? (*point.SpeedKmh + *lastTimed_->SpeedKmh) / 2 : intervalKmh;
    if (speed >= MovingKmh) {
      movingSeconds_ += step;
      movingKm_ += distanceKm_ - distanceAtLastTimed_;
    }
  }
  lastTimed_ = point;
  distanceAtLastTimed_ = distanceKm_;
  noInterval_ = false;
}

std::optional<double> TrackStatistics::AverageSpeedKmh() const {
  if (movingSeconds_ <= 0) return std::nullopt;
  return movingKm_ / (movingSeconds_ / 3600);
}

bool TrackStatistics::MaximumLogged() const {
  if (!maximumLoggedKmh_) return false;
  const std::optional<double> average = AverageSpeedKmh();
  return !average || !maximumIntervalKmh_ || *maximumLoggedKmh_ >= *average;
}

std::optional<double> TrackStatistics::MaximumSpeedKmh() const {
  return MaximumLogged() ? maximumLoggedKmh_ : maximumIntervalKmh_;
}

std::optional<BoundingBox> TrackStatistics::Box() const {
  if (records_ == 0) return std::nullopt;
  if (east_ - west_ <= east360_ - west360_) return BoundingBox{south_, west_, north_, east_};
  const auto back = [](double longitude) { return longitude > 180 ? longitude - 360 : longitude; };
  return BoundingBox{south_, back(west360_), north_, back(east360_)};
}

}  // namespace conversion
