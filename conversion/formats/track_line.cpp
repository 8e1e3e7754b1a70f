#include "conversion/formats/track_line.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "conversion/formats/number_fields.hpp"

namespace conversion {

namespace {

double Degrees(std::string_view text) {
  // The texts written below, digits and a point, are read back directly: a
  // mantissa below 2^53 divided by a power of ten up to 10^14, both exact,
  // is the correctly rounded value the library gives too.
  const bool negative = !text.empty() && text.front() == '-';
  const std::size_t first = negative ? 1 : 0;
  std::uint64_t mantissa = 0;
  std::size_t point = std::string_view::npos;
  std::size_t i = first;
  for (; i < text.size(); ++i) {
    const unsigned digit = static_cast<unsigned char>(text[i]) - '0';
    if (digit < 10) mantissa = mantissa * 10 + digit;
    else if (text[i] == '.' && point == std::string_view::npos) point = i;
    else break;
  }
  const std::size_t digits = i - first - 1;  // the point is no digit
  if (i == text.size() && point != std::string_view::npos && digits > 0 && digits <= 15) {
    const double magnitude = static_cast<double>(mantissa) / static_cast<double>(number_fields::PowersOfTen[i - point - 1]);
    return negative ? -magnitude : magnitude;
  }
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

NumberText SixDecimals(double value) {
  NumberText text;
  text.SetEnd(WriteDecimals(text.End(), text.End() + NumberText::Capacity, value, 6));
  return text;
}

}  // namespace

bool TrackLine::Open() {
  if (spool_.Open()) return true;
  reason_ = spool_.Reason();
  return false;
}

void TrackLine::Spool(std::string_view longitude, std::string_view latitude) {
  for (const std::string_view piece : {syntax_.PointOpening, longitude, std::string_view(","), latitude,
                                       syntax_.PointClosing})
    spool_.Write(piece);
}

void TrackLine::Add(const MapPoint& point) {
  if (!syntax_.CutAtAntimeridian) return AddPosition(point.Longitude.View(), point.Latitude.View());
  const double longitude = Degrees(point.Longitude.View());
  const double latitude = Degrees(point.Latitude.View());
  if (partPoints_ > 0 && std::abs(longitude - lastLongitude_) > 180) {
    // The short way round: the meridian on the side of the point before,
    // the latitude where the straight step between the two meets it.
    const double side = lastLongitude_ > 0 ? 180 : -180;
    const double unwrapped = longitude + 2 * side;
    const NumberText crossing = SixDecimals(lastLatitude_ + (latitude - lastLatitude_) * (side - lastLongitude_) /
                                                                (unwrapped - lastLongitude_));
    AddPosition(SixDecimals(side).View(), crossing.View());
    Break();
    AddPosition(SixDecimals(-side).View(), crossing.View());
  }
  lastLongitude_ = longitude;
  lastLatitude_ = latitude;
  AddPosition(point.Longitude.View(), point.Latitude.View());
}

void TrackLine::AddPosition(std::string_view longitude, std::string_view latitude) {
  if (partPoints_++ == 0) {
    firstLongitude_.Assign(longitude);
    firstLatitude_.Assign(latitude);
    return;
  }
  if (partPoints_ == 2) {
    if (parts_++ > 0) spool_.Write(syntax_.PartSeparator);
    spool_.Write(syntax_.PartOpening);
    Spool(firstLongitude_.View(), firstLatitude_.View());
  }
  spool_.Write(syntax_.PointSeparator);
  Spool(longitude, latitude);
}

void TrackLine::Break() {
  if (partPoints_ >= 2) spool_.Write(syntax_.PartClosing);
  partPoints_ = 0;
}

bool TrackLine::Write(std::string& out, OutputFile& output) {
  Break();
  if (parts_ == 0) return true;
  const bool onePart = parts_ == 1 && !syntax_.OnePartOpening.empty();
  out += onePart ? syntax_.OnePartOpening : syntax_.Opening;
  if (!output.Write(out)) {
    reason_ = output.Reason();
    return false;
  }
  out.clear();
  if (!spool_.ReadBack([&](std::string_view block) { return output.Write(block); })) {
    reason_ = spool_.Reason().empty() ? output.Reason() : spool_.Reason();
    return false;
  }
  out += onePart ? syntax_.OnePartClosing : syntax_.Closing;
  return true;
}

}  // namespace conversion
