#pragma once
// The track as a picture (SVG): drawn to scale in the Mercator projection,
// north up, coloured by speed where the log gives speed (with its key),
// start and end marked, a scale bar, and the log's name, date and
// statistics as its caption.
//
// The picture's size follows from the whole track, so the points wait in a
// temporary file (12 bytes each) until the log has been read; memory stays
// the same whatever the size of the log. A point closer than half a pixel
// to the last one drawn cannot be seen apart from it and is left out, so a
// track of a million points still makes a picture a browser draws at once.

#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/files/output_file.hpp"
#include "conversion/files/spool_file.hpp"
#include "conversion/formats/time_zone.hpp"
#include "conversion/formats/track_statistics.hpp"

namespace conversion {

class TrackPicture {
 public:
  // The caption's times in the zone.
  explicit TrackPicture(TimeZone zone = {}) : zone_(std::move(zone)) {}
  bool Open();
  void Add(const TrackPoint& point);
  // The next point starts another log of a merge, or a segment.
  void Break(bool newLog) { statistics_.Break(newLog); }
  // The whole picture, handed to the output through `out`. The name is UTF-8.
  bool Finish(std::string_view name, std::string& out, OutputFile& output);
  const std::string& Reason() const { return reason_; }

 private:
  TrackStatistics statistics_;
  TimeZone zone_;
  SpoolFile points_;
  std::string reason_;
};

}  // namespace conversion
