#include "conversion/run/convert_log_file.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "conversion/constants.hpp"
#include "conversion/files/file_identity.hpp"
#include "conversion/files/output_file.hpp"
#include "conversion/formats/map_output.hpp"
#include "conversion/formats/pushpin_output.hpp"
#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/reading/talkers.hpp"

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

// A copy of a log line, as much of it as is ever decoded.
struct SavedLine {
  std::array<char, LogLineLength> Bytes;
  std::size_t Length = 0;

  // In moves of 16 bytes, the last one overlapping the one before: a copy of
  // unknown length up to 256 bytes is otherwise made a string instruction
  // that costs more than the decoding it defers.
  void Assign(std::string_view line) {
    Length = std::min(line.size(), Bytes.size());
    if (Length < 16) {
      std::copy_n(line.data(), Length, Bytes.data());
      return;
    }
    for (std::size_t i = 0; i + 16 < Length; i += 16) std::memcpy(Bytes.data() + i, line.data() + i, 16);
    std::memcpy(Bytes.data() + Length - 16, line.data() + Length - 16, 16);
  }
  void Clear() { Length = 0; }
  bool Empty() const { return Length == 0; }
  std::string_view View() const { return {Bytes.data(), Length}; }
};

// The $GPGSA lines since the last record, in order. Each either sets the
// whole satellite list or is rejected and changes nothing, so of these lines
// only the latest valid one matters: it is looked for from the end when a
// record falls due, and most lines are never decoded. When more lines come
// than are kept, those kept are settled first.
struct PendingSatelliteLines {
  std::array<SavedLine, 16> Lines;
  std::size_t Count = 0;

  void Add(std::string_view line, FixState& fix) {
    if (Count == Lines.size()) Settle(fix);
    Lines[Count++].Assign(line);
  }
  void Settle(FixState& fix) {
    while (Count > 0 && !DecodeGsa(Lines[Count - 1].View(), fix)) --Count;
    Count = 0;
  }
};

}  // namespace

ConversionResult ConvertLogFile(std::string_view logName, std::string_view outputName, int numberStyle,
                                int resolution, const std::function<void()>& announcement,
                                const ProgressReport& progress, const FormatOptions& format,
                                const ReadingOptions& reading) {
  ConversionResult result;
  LogReader log;
  if (!log.Open(logName, progress)) return Failure(result, logName, log.Reason());
  if (announcement) announcement();
  const bool writesFile = format.Format != OutputFormat::Statistics;
  if (writesFile && SameFile(AsLog(logName), AsOutput(outputName)))
    return Failure(result, outputName, "is the log file itself; choose another output file");
  OutputFile output;
  if (writesFile && !output.Open(outputName)) return Failure(result, output.FailedFile(), output.Reason());
  MapOutput map(format, logName);
  if (map && !map.Open()) return Failure(result, output.FailedFile(), map.Reason());

  std::string records;
  records.reserve(FlushSize + LongestRecord);
  auto flushed = [&](std::size_t threshold) {
    if (records.size() < threshold) return true;
    const bool written = !writesFile || output.Write(records);
    records.clear();
    return written;
  };
  if (map) map.Header(records);
  else WritePushpinHeader(numberStyle, records);

  FixState& fix = CurrentFix;
  fix = FixState{};
  const long long keepEvery = std::max(resolution, 1);
  long long ggaCount = 0;
  long long recordsWritten = 0;
  // A $GPGGA line sets all it reads, so of the lines since the last record
  // only the latest readable one counts; the final record also takes its
  // satellites in use.
  GgaValues latestGga;
  // A $GPVTG sentence sets all it decodes and is never rejected, so only the
  // latest one counts, and only once a record falls due.
  SavedLine pendingVtg;
  auto decodePendingVtg = [&] {
    if (pendingVtg.Empty()) return;
    DecodeVtg(pendingVtg.View(), fix);
    if (map) map.NoteVtg(pendingVtg.View());
    pendingVtg.Clear();
  };
  PendingSatelliteLines pendingGsa;
  auto decodePending = [&] {
    pendingGsa.Settle(fix);
    decodePendingVtg();
  };
  auto writeRecord = [&] {
    if (map) map.Record(ggaCount, fix, records);
    else WritePushpinRecord(ggaCount, numberStyle, result.SpeedAvailable, fix, records);
    ++recordsWritten;
  };

  TalkerRules talkers;
  LogCounts& counts = result.Counts;
  // A receiver of several systems writes a satellite sentence per system
  // after each position: those up to the next position make one list.
  bool startSatelliteList = true;
  std::string_view line;
  while (log.NextLine(line)) {
    ++counts.Lines;
    const SentenceKind kind = talkers.Kind(line);
    if (kind == SentenceKind::Other || (kind == SentenceKind::Date && !map)) continue;
    if (kind == SentenceKind::OtherTalkerPosition) {
      if (counts.OtherTalker.empty()) counts.OtherTalker = line.substr(1, 2);
      ++counts.OtherTalkerPositions;
      continue;
    }
    if (!ChecksumMatches(line)) {
      ++counts.WrongChecksums;
      if (reading.SkipWrongChecksums) continue;
    }
    switch (kind) {
      case SentenceKind::Position: {
        if (counts.Talker.empty()) {
          talkers.NotePosition(line);
          counts.Talker = talkers.Talker();
          // The satellite sentences from here on are pooled as they come.
          if (talkers.Pooled()) pendingGsa.Settle(fix);
        }
        ++counts.Positions;
        startSatelliteList = true;
        GgaValues gga;
        if (!ReadGga(line, gga)) {
          counts.WithoutPosition += GgaHasPosition(line) ? 0 : 1;
          break;
        }
        if (ggaCount > 0 && (ggaCount - 1) % keepEvery == 0) {
          decodePending();
          ApplyGga(latestGga, GgaForm::InLoop, fix);
          writeRecord();
          if (!flushed(FlushSize)) return Failure(result, output.FailedFile(), output.Reason());
        }
        latestGga = gga;
        if (map) map.NoteGga(line);
        ++ggaCount;
        break;
      }
      case SentenceKind::Satellites:
        if (!talkers.Pooled()) pendingGsa.Add(line, fix);
        else if (PoolGsa(line, startSatelliteList, fix)) startSatelliteList = false;
        break;
      case SentenceKind::Course:
        pendingVtg.Assign(line);
        result.SpeedAvailable = true;
        break;
      case SentenceKind::Date:
        map.NoteRmc(line);
        break;
      case SentenceKind::Other:
      case SentenceKind::OtherTalkerPosition:
        break;
    }
  }
  if (log.Failed()) return Failure(result, logName, log.Reason());

  if (ggaCount > 0) {
    decodePending();
    ApplyGga(latestGga, GgaForm::Final, fix);
    writeRecord();
  }
  result.RecordsWritten = static_cast<int>(std::min<long long>(recordsWritten, std::numeric_limits<int>::max()));
  result.UndatedPoints = map.UndatedPoints();
  if (map && !map.Finish(records, output)) return Failure(result, output.FailedFile(), map.Reason());
  if (!flushed(0) || (writesFile && !output.Commit())) return Failure(result, output.FailedFile(), output.Reason());
  return result;
}

}  // namespace conversion
