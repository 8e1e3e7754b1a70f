#pragma once
// The track as one line after its points (KML, GeoJSON), which needs every
// point: the coordinates wait in a temporary file until the last point has
// been written, so memory stays the same whatever the size of the log.

#include <string>
#include <string_view>

#include "conversion/files/output_file.hpp"
#include "conversion/files/spool_file.hpp"
#include "conversion/formats/map_point.hpp"

namespace conversion {

class TrackLine {
 public:
  bool Open();
  // The point's longitude and latitude, between the two texts.
  void Add(std::string_view before, const MapPoint& point, std::string_view after);
  // The line between its opening and closing texts, after what `out` holds;
  // nothing when it has fewer than two points, which make no line.
  bool Write(std::string_view opening, std::string_view closing, std::string& out, OutputFile& output);
  const std::string& Reason() const { return reason_; }

 private:
  SpoolFile spool_;
  long long points_ = 0;
  std::string reason_;
};

}  // namespace conversion
