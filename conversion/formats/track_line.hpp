#pragma once
// The track as one line after its points (KML, GeoJSON), which needs every
// point: the coordinates wait in a temporary file until the last point has
// been written, so memory stays the same whatever the size of the log. A
// track broken into segments is a line of several parts.

#include <string>
#include <string_view>

#include "conversion/files/output_file.hpp"
#include "conversion/files/spool_file.hpp"
#include "conversion/formats/map_point.hpp"

namespace conversion {

// The texts a format writes around the line, each part and each point's
// longitude and latitude, and between them.
struct LineSyntax {
  std::string_view Opening{};
  std::string_view Closing{};
  // Where given, a line of one part is written between these instead, as
  // its part alone.
  std::string_view OnePartOpening{};
  std::string_view OnePartClosing{};
  // A step across the antimeridian ends the part at it and starts the next
  // there, on the other side, so no reader draws it round the world.
  bool CutAtAntimeridian = false;
  std::string_view PartOpening{};
  std::string_view PartClosing{};
  std::string_view PartSeparator{};
  std::string_view PointOpening{};
  std::string_view PointClosing{};
  std::string_view PointSeparator{};
};

class TrackLine {
 public:
  explicit TrackLine(const LineSyntax& syntax) : syntax_(syntax) {}

  bool Open();
  void Add(const MapPoint& point);
  // The next point starts a new part.
  void Break();
  // The line after what `out` holds; nothing when no part has two points,
  // the fewest that make a line (a part of one point is left out).
  bool Write(std::string& out, OutputFile& output);
  const std::string& Reason() const { return reason_; }

 private:
  void Spool(std::string_view longitude, std::string_view latitude);
  void AddPosition(std::string_view longitude, std::string_view latitude);

  LineSyntax syntax_;
  SpoolFile spool_;
  long long parts_ = 0;       // with two points or more
  long long partPoints_ = 0;  // in the part being drawn
  // A part's first point waits for its second.
  NumberText firstLongitude_;
  NumberText firstLatitude_;
  // The point before, where the line is cut at the antimeridian.
  double lastLongitude_ = 0;
  double lastLatitude_ = 0;
  std::string reason_;
};

}  // namespace conversion
