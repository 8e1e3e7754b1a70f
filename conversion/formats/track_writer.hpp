#pragma once
// What every format's writer does, so that a run writes any format the same
// way: the header, then each record in the order the records fall due, then
// the end. A writer appends what it writes to the run's buffer, which the run
// hands to the output file in large blocks. A format that must have seen
// every record before it writes some part (a track line after its points, a
// picture scaled to the whole track) keeps what it needs in a spool file and
// writes that part at the end, straight to the output.

#include <string>
#include <string_view>
#include <utility>

#include "conversion/constants.hpp"
#include "conversion/files/output_file.hpp"
#include "conversion/formats/time_zone.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

class TrackStatistics;

// What a writer is made with.
struct WriterSettings {
  std::string_view LogName;  // as the run was given it: "-" is standard input
  NumberStyle Style = NumberStyle::English;
  TrackStatistics* Statistics = nullptr;  // where the statistics are summed up; not owned
  // The track may break into segments (the CSV file gets a column for them).
  bool Segments = false;
  // Of the times people read; the map formats GPS programs read keep UTC.
  TimeZone Zone = {};
};

class TrackWriter {
 public:
  virtual ~TrackWriter() = default;

  // Whether the records must carry their day, which the reading finds in the
  // log's RMC sentences at a cost.
  virtual bool NeedsDays() const { return true; }
  // Whether a record takes the course and speed of its own second (the
  // pushpin file takes those of the $GPVTG after its position).
  virtual bool OwnSecondMotion() const { return true; }

  // False, with the reason, when what the writer needs could not be made.
  virtual bool Header(std::string& out) = 0;
  virtual void Record(const TrackRecord& record, std::string& out) = 0;
  // The next record starts a new segment of the track: a gap in time, or the
  // next log of a merge. Formats without segments pass over it.
  virtual void StartSegment(std::string&) {}
  // The next record is the first of another log of a merge.
  virtual void StartLog() {}
  // What the buffer holds goes to the output before anything written there directly.
  virtual bool Finish(std::string& out, OutputFile& output) = 0;

  // The points written without the time their record had, no day being known for it.
  virtual long long UndatedPoints() const { return 0; }
  // The points written without the time their day would put past what a date can hold.
  virtual long long PointsPastLastDate() const { return 0; }
  // The altitudes and speeds left out as beyond what any map takes.
  virtual long long ValuesOutOfRange() const { return 0; }
  // The times left in UTC, the zone's offset needing a day not known for them.
  virtual long long UtcTimes() const { return 0; }
  const std::string& Reason() const { return reason_; }

 protected:
  bool Fail(std::string reason) {
    reason_ = std::move(reason);
    return false;
  }

 private:
  std::string reason_;
};

}  // namespace conversion
