#pragma once
// The fixes of a run as GPX, KML, GeoJSON or CSV: one point per record, in
// the order the records fall due, each with what the log gives for it and
// nothing it lacks. The point texts are appended to the run's buffer. KML
// and GeoJSON also draw the track as a line, which needs every point: its
// coordinates wait in a temporary file and follow the points at the end.

#include <string>
#include <string_view>

#include "conversion/files/output_file.hpp"
#include "conversion/files/spool_file.hpp"
#include "conversion/formats/output_format.hpp"
#include "conversion/formats/track_picture.hpp"
#include "conversion/formats/track_statistics.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/reading/fix_state.hpp"

namespace conversion {

class MapOutput {
 public:
  MapOutput(const FormatOptions& options, std::string_view logName);

  // Whether the run writes a map format at all (not the pushpin file).
  explicit operator bool() const { return format_ != OutputFormat::Pushpin; }

  bool Open();
  void Header(std::string& out);

  // $GPRMC sentences give the dates. The $GPGGA and $GPVTG lines whose values
  // the fix holds tell which of them the log gave (an empty field reads as 0).
  void NoteRmc(std::string_view line) { days_.NoteRmc(line); }
  void NoteGga(std::string_view line);
  void NoteVtg(std::string_view line);

  // Fix number n.
  void Record(long long n, const FixState& fix, std::string& out);

  // Ends the file; the track, if any, goes to the output from the temporary file.
  bool Finish(std::string& out, OutputFile& output);

  // Points that had a time of day but no day to put it on.
  long long UndatedPoints() const { return undatedPoints_; }
  const std::string& Reason() const { return reason_; }

 private:
  // The fix with what the log gave of it, dated: once per record, in order.
  TrackPoint Track(const FixState& fix);

  OutputFormat format_;
  std::string name_;  // UTF-8; empty for standard input
  FixDays days_;
  bool timeLogged_ = false;
  bool altitudeLogged_ = false;
  bool courseLogged_ = false;
  bool speedLogged_ = false;
  long long points_ = 0;
  long long undatedPoints_ = 0;
  SpoolFile track_;
  TrackPicture picture_;
  TrackStatistics* statistics_;
  std::string reason_;
};

}  // namespace conversion
