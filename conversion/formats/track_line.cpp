#include "conversion/formats/track_line.hpp"

namespace conversion {

bool TrackLine::Open() {
  if (spool_.Open()) return true;
  reason_ = spool_.Reason();
  return false;
}

void TrackLine::Add(std::string_view before, const MapPoint& point, std::string_view after) {
  for (const std::string_view piece : {before, point.Longitude.View(), std::string_view(","), point.Latitude.View(), after})
    spool_.Write(piece);
  ++points_;
}

bool TrackLine::Write(std::string_view opening, std::string_view closing, std::string& out, OutputFile& output) {
  if (points_ < 2) return true;
  out += opening;
  if (!output.Write(out)) {
    reason_ = output.Reason();
    return false;
  }
  out.clear();
  if (!spool_.ReadBack([&](std::string_view block) { return output.Write(block); })) {
    reason_ = spool_.Reason().empty() ? output.Reason() : spool_.Reason();
    return false;
  }
  out += closing;
  return true;
}

}  // namespace conversion
