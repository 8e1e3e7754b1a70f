#include "conversion/convert_log_file.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

#include "conversion/fix_state.hpp"
#include "conversion/log_reader.hpp"
#include "conversion/output_file.hpp"
#include "conversion/pushpin_output.hpp"
#include "conversion/sentence_decoding.hpp"
#include "toolkit/dialogs/fixed_text.hpp"

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

bool IsSentence(std::string_view line, const char (&type)[7]) {
  return line.size() >= 6 && std::memcmp(line.data(), type, 6) == 0;
}

}  // namespace

ConversionResult ConvertLogFile(std::string_view logName, std::string_view outputName, int numberStyle,
                                int resolution, const std::function<void()>& announcement,
                                const ProgressReport& progress) {
  ConversionResult result;
  LogReader log;
  if (!log.Open(logName, progress)) return Failure(result, logName, log.Reason());
  if (announcement) announcement();
  if (logName != StandardStreamName && outputName != StandardStreamName && SameFile(logName, outputName))
    return Failure(result, outputName, "is the log file itself; choose another output file");
  OutputFile output;
  if (!output.Open(outputName)) return Failure(result, outputName, output.Reason());

  std::string records;
  records.reserve(FlushSize + LongestRecord);
  auto flushed = [&](std::size_t threshold) {
    if (records.size() < threshold) return true;
    const bool written = output.Write(records);
    records.clear();
    return written;
  };
  WritePushpinHeader(numberStyle, records);

  FixState& fix = CurrentFix;
  fix = FixState{};
  const long long keepEvery = std::max(resolution, 1);
  long long ggaCount = 0;
  long long recordsWritten = 0;
  toolkit::FixedText<LogLineLength> lastGgaLine;
  std::string_view line;
  while (log.NextLine(line)) {
    if (IsSentence(line, "$GPGGA")) {
      FixState decoded = fix;
      if (!DecodeGga(line, GgaForm::InLoop, decoded)) continue;
      if (ggaCount > 0 && (ggaCount - 1) % keepEvery == 0) {
        WritePushpinRecord(ggaCount, numberStyle, result.SpeedAvailable, fix, records);
        ++recordsWritten;
        if (!flushed(FlushSize)) return Failure(result, outputName, output.Reason());
      }
      lastGgaLine = line;
      ++ggaCount;
      fix = decoded;
    } else if (IsSentence(line, "$GPGSA")) {
      DecodeGsa(line, fix);
    } else if (IsSentence(line, "$GPVTG")) {
      DecodeVtg(line, fix);
      result.SpeedAvailable = true;
    }
  }
  if (log.Failed()) return Failure(result, logName, log.Reason());

  if (ggaCount > 0) {
    DecodeGga(lastGgaLine.View(), GgaForm::Final, fix);
    WritePushpinRecord(ggaCount, numberStyle, result.SpeedAvailable, fix, records);
    ++recordsWritten;
  }
  result.RecordsWritten = static_cast<int>(std::min<long long>(recordsWritten, std::numeric_limits<int>::max()));
  if (!flushed(0) || !output.Commit()) return Failure(result, outputName, output.Reason());
  return result;
}

}  // namespace conversion
