#include "conversion/run/convert_log_file.hpp"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

#include "conversion/files/file_identity.hpp"
#include "conversion/files/output_file.hpp"
#include "conversion/formats/track_writer.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/track_reader.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

namespace {

// Records are collected and written in blocks of about this size.
constexpr std::size_t FlushSize = std::size_t{1} << 20;
constexpr std::size_t LongestRecord = 1024;

ConversionResult Failure(ConversionResult result, std::string_view file, std::string reason) {
  result.FailedFile = file;
  result.FailureReason = std::move(reason);
  return result;
}

}  // namespace

ConversionResult ConvertLogFile(std::string_view logName, std::string_view outputName, NumberStyle numberStyle,
                                int resolution, const std::function<void()>& announcement,
                                const ProgressReport& progress, const FormatOptions& format,
                                const ReadingOptions& reading) {
  ConversionResult result;
  LogReader log;
  if (!log.Open(logName, progress)) return Failure(result, logName, log.Reason());
  if (announcement) announcement();
  const std::unique_ptr<TrackWriter> writer =
      RowOf(format.Format).MakeWriter(WriterSettings{logName, numberStyle, format.Statistics});
  const bool writesFile = writer->WritesFile();
  if (writesFile && SameFile(AsLog(logName), AsOutput(outputName)))
    return Failure(result, outputName, "is the log file itself; choose another output file");
  OutputFile output;
  if (writesFile && !output.Open(outputName)) return Failure(result, output.FailedFile(), output.Reason());

  std::string buffer;
  buffer.reserve(FlushSize + LongestRecord);
  auto flushed = [&](std::size_t threshold) {
    if (buffer.size() < threshold) return true;
    const bool written = !writesFile || output.Write(buffer);
    buffer.clear();
    return written;
  };
  if (!writer->Header(buffer)) return Failure(result, output.FailedFile(), writer->Reason());

  TrackReader reader(log, resolution, reading,
                     writer->NeedsDays() ? std::optional<FixDays>(format.FirstDay) : std::nullopt);
  TrackRecord record;
  long long recordsWritten = 0;
  while (reader.Next(record)) {
    writer->Record(record, buffer);
    ++recordsWritten;
    if (!flushed(FlushSize)) return Failure(result, output.FailedFile(), output.Reason());
  }
  if (log.Failed()) return Failure(result, logName, log.Reason());

  result.RecordsWritten = static_cast<int>(std::min<long long>(recordsWritten, std::numeric_limits<int>::max()));
  result.SpeedAvailable = reader.CourseSentenceSeen();
  result.Counts = reader.Counts();
  result.UndatedPoints = writer->UndatedPoints();
  if (!writer->Finish(buffer, output)) return Failure(result, output.FailedFile(), writer->Reason());
  if (!flushed(0) || (writesFile && !output.Commit())) return Failure(result, output.FailedFile(), output.Reason());
  return result;
}

}  // namespace conversion
