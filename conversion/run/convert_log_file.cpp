#include "conversion/run/convert_log_file.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>

#include "conversion/files/file_identity.hpp"
#include "conversion/files/output_file.hpp"
#include "conversion/files/system_files.hpp"
#include "conversion/formats/track_writer.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/track_reader.hpp"
#include "conversion/reading/track_record.hpp"
#include "conversion/run/undated_records.hpp"

namespace conversion {

namespace {

// Records are collected and written in blocks of about this size.
constexpr std::size_t FlushSize = std::size_t{1} << 20;
constexpr std::size_t LongestRecord = 1024;
constexpr double SecondsPerDay = 86400;

ConversionResult Failure(ConversionResult result, std::string_view file, std::string reason) {
  result.FailedFile = file;
  result.FailureReason = std::move(reason);
  return result;
}

// The counts of a merge's logs together; the talker and other talker are the first given.
void AddCounts(LogCounts& sum, const LogCounts& counts) {
  sum.Lines += counts.Lines;
  if (sum.Talker.empty()) {
    sum.Talker = counts.Talker;
    sum.PositionsFrom = counts.PositionsFrom;
  }
  sum.Positions += counts.Positions;
  sum.WithoutPosition += counts.WithoutPosition;
  if (sum.OtherTalker.empty()) sum.OtherTalker = counts.OtherTalker;
  sum.OtherTalkerPositions += counts.OtherTalkerPositions;
  sum.WrongChecksums += counts.WrongChecksums;
  sum.ImpossibleTimes += counts.ImpossibleTimes;
}

int Capped(long long count) { return static_cast<int>(std::min<long long>(count, std::numeric_limits<int>::max())); }

// The times of a log's first and last records, dated where the log gave
// dates; to see whether logs of a merge overlap.
struct TimeSpan {
  bool Dated = false;
  double First = 0;
  double Last = 0;

  void Add(const TrackRecord& record, bool first) {
    const std::optional<double> seconds = SecondsOfDay(record.Fix);
    if (!seconds) return;
    const double time = record.Day ? static_cast<double>(*record.Day) * SecondsPerDay + *seconds : *seconds;
    if (first) {
      Dated = record.Day.has_value();
      First = time;
    }
    // A log without dates that runs past midnight ends the next day.
    Last = !Dated && time < First ? time + SecondsPerDay : time;
  }
  bool Overlaps(const TimeSpan& other) const {
    return Dated == other.Dated && First < other.Last && other.First < Last;
  }
};

// In a format without segments a split keeps no fix that the other
// options would not.
TrackOptions FilterOptions(TrackOptions track, const FormatRow& format) {
  if (!format.Segments) track.SplitGapMs.reset();
  return track;
}

// The logs of one request into its output.
class Converter {
 public:
  explicit Converter(const ConversionRequest& request)
      : request_(request),
        format_(RowOf(request.Format)),
        writer_(format_.MakeWriter(WriterSettings{request.Logs.size() == 1 ? request.Logs.front() : request.Output,
                                                  request.Style, request.Statistics,
                                                  request.Track.SplitGapMs.has_value(), request.Zone})),
        filter_(request.Kept, FilterOptions(request.Track, format_), format_.EarthOnly) {
    buffer_.reserve(FlushSize + LongestRecord);
  }

  ConversionResult Convert();

 private:
  ConversionResult Failure(std::string_view file, std::string reason) {
    return conversion::Failure(std::move(result_), file, std::move(reason));
  }
  ConversionResult OutputFailure(const std::string& reason) { return Failure(output_.FailedFile(), reason); }
  bool Flushed(std::size_t threshold);
  bool AppendLog(LogReader& log, std::size_t index);
  // Through the writer, dated where the log's dates allow.
  bool Write(TrackRecord& record, bool startsSegment);

  const ConversionRequest& request_;
  const FormatRow& format_;
  std::unique_ptr<TrackWriter> writer_;
  TrackFilter filter_;
  OutputFile output_;
  std::string buffer_;
  ConversionResult result_;
  std::string failure_;  // why AppendLog failed, when not the log's reading
  long long numbersBefore_ = 0;  // the fixes of the logs before
  long long recordsWritten_ = 0;
  std::vector<TimeSpan> spans_;
};

bool Converter::Flushed(std::size_t threshold) {
  if (buffer_.size() < threshold) return true;
  const bool written = !format_.WritesFile || output_.Write(buffer_);
  buffer_.clear();
  if (!written) failure_ = output_.Reason();
  return written;
}

bool Converter::Write(TrackRecord& record, bool startsSegment) {
  if (startsSegment) writer_->StartSegment(buffer_);
  writer_->Record(record, buffer_);
  const bool first = result_.Logs.back().RecordsWritten++ == 0;
  if (request_.Logs.size() > 1) spans_.back().Add(record, first);
  ++recordsWritten_;
  return Flushed(FlushSize);
}

ConversionResult Converter::Convert() {
  const std::vector<std::string>& logNames = request_.Logs;
  const std::string& outputName = request_.Output;
  // One log open at a time: a merge takes no more memory than one log.
  std::optional<LogReader> log(std::in_place);
  if (!log->Open(logNames.front(), request_.Progress)) return Failure(logNames.front(), log->Reason());
  if (request_.Announcement) request_.Announcement();
  const bool writesFile = format_.WritesFile;
  for (const std::string& logName : logNames) {
    if (writesFile && SameFile(AsLog(logName), AsOutput(outputName)))
      return Failure(outputName, "is the log file itself; choose another output file");
  }
  if (writesFile && !output_.Open(outputName)) return OutputFailure(output_.Reason());
  if (!writer_->Header(buffer_)) return OutputFailure(writer_->Reason());

  for (std::size_t index = 0; index < logNames.size(); ++index) {
    if (index > 0) {
      log.emplace();
      if (!log->Open(logNames[index], request_.Progress)) return Failure(logNames[index], log->Reason());
    }
    if (!AppendLog(*log, index)) {
      return failure_.empty() ? Failure(logNames[index], log->Reason()) : OutputFailure(failure_);
    }
  }

  result_.RecordsWritten = Capped(recordsWritten_);
  for (const ConversionResult::LogResult& log : result_.Logs) AddCounts(result_.Counts, log.Counts);
  result_.Dropped = filter_.Dropped();
  result_.UndatedPoints = writer_->UndatedPoints();
  result_.PointsPastLastDate = writer_->PointsPastLastDate();
  result_.ValuesOutOfRange = writer_->ValuesOutOfRange();
  result_.UtcTimes = writer_->UtcTimes();
  if (request_.Statistics)
    request_.Statistics->NoteDropped(result_.Dropped, request_.Track.FixesOnly, request_.Track.MaxSpeedKmh.has_value());
  if (!writer_->Finish(buffer_, output_)) return OutputFailure(writer_->Reason());
  if (!Flushed(0) || (writesFile && !output_.Commit())) return OutputFailure(output_.Reason());
  return std::move(result_);
}

// False when the log could not be read on, or when writing failed (failure_).
bool Converter::AppendLog(LogReader& log, std::size_t index) {
  const std::string& logName = request_.Logs[index];
  if (index > 0) {
    filter_.StartLog();
    writer_->StartLog();
  }
  const DroppedFixes droppedBefore = filter_.Dropped();
  result_.Logs.emplace_back();
  spans_.emplace_back();
  TrackReader reader(log, request_.Reading, writer_->NeedsDays(), request_.Track.FixesOnly, filter_.LooksAtFacts(),
                     writer_->OwnSecondMotion());
  if (logName != StandardStreamName) reader.TakeRolloverEvidence(PathOf(logName));
  // The records before the log's first date wait for it.
  UndatedRecords undated;
  auto pass = [&](TrackRecord& record, bool startsSegment) {
    record.Number += numbersBefore_;
    if (undated.Waiting() || record.DayCounted) {
      if (!reader.DayShift()) {
        if (undated.Add(record, startsSegment)) return true;
        failure_ = undated.Reason();
        return false;
      }
      if (!undated.Release(reader.DayShift(), [&](TrackRecord& r, bool s) { return Write(r, s); })) {
        if (failure_.empty()) failure_ = undated.Reason();
        return false;
      }
      DateRecord(record, reader.DayShift());
    }
    return Write(record, startsSegment);
  };

  FixFacts facts;
  TrackRecord record;
  // The fix that is written only if no later one is: the last of the log or of its segment.
  TrackRecord held;
  const bool fillHeld = filter_.WritesHeldLate();
  // The fixes waiting for the filter's decision, when it takes time for one.
  const bool delays = filter_.Delays();
  std::array<TrackRecord, WaitingRecords> waiting;
  auto decided = [&] {
    FixDecision decision;
    while (filter_.Decided(decision)) {
      TrackRecord& filled = delays ? waiting[static_cast<std::size_t>(decision.Fix) % waiting.size()] : record;
      if (decision.WriteHeldFirst && !pass(held, false)) return false;
      if (decision.This == Keep::Now) {
        if (!delays) reader.Fill(record);
        if (!pass(filled, decision.StartsSegment)) return false;
      } else if (decision.This == Keep::Held && fillHeld) {
        if (delays) held = filled;
        else reader.Fill(held);
      }
    }
    return true;
  };
  for (long long fix = 0; reader.Next(facts); ++fix) {
    filter_.Add(facts);
    if (delays) reader.Fill(waiting[static_cast<std::size_t>(fix) % waiting.size()]);
    if (!decided()) return false;
  }
  if (log.Failed()) return false;
  filter_.FinishLog();
  if (!decided()) return false;
  if (filter_.EndLog()) {
    // Without drops or gaps the held fix is still the latest read.
    if (!fillHeld) reader.Fill(held);
    if (!pass(held, false)) return false;
  }
  const std::optional<long long> shift = reader.DayShift() ? reader.DayShift() : request_.Reading.FirstDay;
  if (!undated.Release(shift, [&](TrackRecord& r, bool s) { return Write(r, s); })) {
    if (failure_.empty()) failure_ = undated.Reason();
    return false;
  }

  ConversionResult::LogResult& done = result_.Logs.back();
  done.Counts = reader.Counts();
  done.Fixes = reader.FixesRead();
  done.WeeksMoved = reader.WeeksMoved();
  const DroppedFixes& dropped = filter_.Dropped();
  done.Dropped = {dropped.NotFixes - droppedBefore.NotFixes, dropped.OffEarth - droppedBefore.OffEarth,
                  dropped.Outliers - droppedBefore.Outliers};
  for (std::size_t earlier = 0; earlier < index; ++earlier)
    if (result_.Logs[earlier].RecordsWritten > 0 && done.RecordsWritten > 0 && spans_[index].Overlaps(spans_[earlier]))
      done.Overlapped.push_back(earlier);
  result_.SpeedAvailable = result_.SpeedAvailable || reader.CourseSentenceSeen();
  numbersBefore_ += reader.FixesRead();
  return true;
}

}  // namespace

ConversionResult ConvertLogFile(const ConversionRequest& request) {
  if (request.Logs.empty()) return {};
  return Converter(request).Convert();
}

}  // namespace conversion
