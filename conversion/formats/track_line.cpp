#include "conversion/formats/track_line.hpp"

namespace conversion {

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
  if (partPoints_++ == 0) {
    firstLongitude_ = point.Longitude;
    firstLatitude_ = point.Latitude;
    return;
  }
  if (partPoints_ == 2) {
    if (parts_++ > 0) spool_.Write(syntax_.PartSeparator);
    spool_.Write(syntax_.PartOpening);
    Spool(firstLongitude_.View(), firstLatitude_.View());
  }
  spool_.Write(syntax_.PointSeparator);
  Spool(point.Longitude.View(), point.Latitude.View());
}

void TrackLine::Break() {
  if (partPoints_ >= 2) spool_.Write(syntax_.PartClosing);
  partPoints_ = 0;
}

bool TrackLine::Write(std::string& out, OutputFile& output) {
  Break();
  if (parts_ == 0) return true;
  out += syntax_.Opening;
  if (!output.Write(out)) {
    reason_ = output.Reason();
    return false;
  }
  out.clear();
  if (!spool_.ReadBack([&](std::string_view block) { return output.Write(block); })) {
    reason_ = spool_.Reason().empty() ? output.Reason() : spool_.Reason();
    return false;
  }
  out += syntax_.Closing;
  return true;
}

}  // namespace conversion
