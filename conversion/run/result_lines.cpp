#include "conversion/run/result_lines.hpp"

#include <array>
#include <cstdio>

namespace conversion {

namespace {

// "1 line", "1,204 lines".
std::string Counted(long long count, std::string_view thing) {
  std::string text = GroupedNumber(count) + " " + std::string(thing);
  if (count != 1) text += 's';
  return text;
}

std::string NoRecordCause(const ConversionResult::LogResult& log) {
  const LogCounts& counts = log.Counts;
  if (log.RecordsWritten > 0) return {};
  if (log.Fixes > 0) {
    std::string reason = (log.Fixes == 1 ? "the only fix" : "all " + GroupedNumber(log.Fixes) + " fixes") + " left out:";
    const std::pair<long long, std::string_view> parts[] = {{log.Dropped.NotFixes, "without a fix"},
                                                            {log.Dropped.OffEarth, "off the earth"}};
    for (const auto& [count, why] : parts) {
      if (count > 0) reason += (reason.back() == ':' ? " " : ", ") + GroupedNumber(count) + " " + std::string(why);
    }
    return reason;
  }
  if (counts.Positions == 0) return "no position sentence (GGA, RMC or GLL) in " + Counted(counts.Lines, "line");
  const std::string type(PositionSentenceName(counts.PositionsFrom));
  const std::string own = "$" + counts.Talker + type;
  std::string reason = "no position in " + Counted(counts.Positions, own + " sentence");
  if (counts.OtherTalkerPositions > 0) {
    return reason + "; " + Counted(counts.OtherTalkerPositions, "$" + counts.OtherTalker + type + " sentence") +
           " after them passed over, as the log starts with " + own;
  }
  const long long unreadable = counts.Positions - counts.WithoutPosition;
  if (unreadable == 0) return reason + ": the receiver had no fix";
  if (counts.WithoutPosition == 0) return reason + ": none could be read";
  return reason + ": " + GroupedNumber(unreadable) + " could not be read, the others had no fix";
}

// Why a point has no date: the option that gives one named where there is one.
std::string NoDate(const OptionNames& names) {
  std::string why = "the log gives no date (RMC or ZDA sentences)";
  if (!names.Date.empty()) why += " and no " + std::string(names.Date);
  return why;
}

}  // namespace

std::string CountLine(int recordsWritten, int resolution, std::string_view formatName) {
  char count[16];
  std::snprintf(count, sizeof count, "%8d", recordsWritten);
  char end[48];
  std::snprintf(end, sizeof end, ".  Resolution (secs): %2d", resolution);
  std::string line(std::string_view(count).substr(std::string_view(count).find_first_not_of(' ')));
  line += " records written";
  if (!formatName.empty()) line.append(" as ").append(formatName);
  return line + end;
}

std::string NoRecordReason(const ConversionResult& result) {
  return result.Logs.empty() ? std::string() : NoRecordReason(result.Logs.front());
}

namespace {
// By PositionSentence: its name, and why the log's positions came from it.
constexpr std::array<std::array<std::string_view, 2>, 3> PositionSentenceTexts{{
    {"GGA", "GGA"},
    {"RMC", "RMC: the log has no GGA"},
    {"GLL", "GLL: the log has no GGA or RMC"},
}};
}  // namespace

std::string_view PositionSentenceName(PositionSentence sentence) {
  return PositionSentenceTexts[static_cast<std::size_t>(sentence)][0];
}

std::string_view PositionsFromText(PositionSentence sentence) {
  return PositionSentenceTexts[static_cast<std::size_t>(sentence)][1];
}

std::string NoRecordReason(const ConversionResult::LogResult& log) {
  std::string reason = NoRecordCause(log);
  if (!reason.empty() && log.Counts.PositionsFrom != PositionSentence::Gga)
    reason += " (positions from " + std::string(PositionsFromText(log.Counts.PositionsFrom)) + ")";
  return reason;
}

std::string RolloverNote(const ConversionResult::LogResult& log) {
  if (log.WeeksMoved == 0) return {};
  return "dates moved forward by " + std::to_string(log.WeeksMoved) +
         " weeks: the receiver reports dates from before its GPS week rollover";
}

std::string UtcTimesNote(const ConversionResult& result, std::string_view zoneName, const OptionNames& names) {
  if (result.UtcTimes == 0) return {};
  return Counted(result.UtcTimes, "time") + " left in UTC: " + NoDate(names) + ", and the offset of " +
         std::string(zoneName) + " depends on it";
}

std::vector<std::string> ReadingNotes(const ConversionResult::LogResult& log, bool skipWrongChecksums,
                                      const OptionNames& names) {
  std::vector<std::string> notes;
  const std::string reason = NoRecordReason(log);
  if (!reason.empty()) notes.push_back(reason);
  const auto named = [](std::string_view text, std::string_view option) {
    return option.empty() ? std::string(text) : std::string(text) + " (" + std::string(option) + ")";
  };
  // Where every fix was left out the reason said why.
  const std::pair<long long, std::string> dropped[] = {
      {log.Dropped.NotFixes, named(" without a fix left out", names.FixesOnly)},
      {log.Dropped.OffEarth, " beyond 90 degrees of latitude or 180 of longitude left out: no map takes them"},
      {log.Dropped.Outliers, named(" left out as farther than the maximum speed reaches", names.MaxSpeed)},
  };
  for (const auto& [count, what] : dropped) {
    if (count == 0 || !reason.empty()) continue;
    notes.push_back(GroupedNumber(count) + (count == 1 ? " position" : " positions") + what);
  }
  if (std::string moved = RolloverNote(log); !moved.empty()) notes.push_back(std::move(moved));
  if (const long long impossible = log.Counts.ImpossibleTimes; impossible > 0) {
    notes.push_back(GroupedNumber(impossible) + (impossible == 1 ? " position" : " positions") +
                    " without time: no time of day (hours beyond 23, minutes or seconds beyond 59)");
  }
  if (const long long wrong = log.Counts.WrongChecksums; wrong > 0) {
    const std::string skipped = named(" skipped", names.Checksums);
    const std::string read = names.Checksums.empty()
                                 ? std::string(" read all the same")
                                 : " read all the same (" + std::string(names.Checksums) + " skips them)";
    notes.push_back(GroupedNumber(wrong) + (wrong == 1 ? " sentence" : " sentences") + " with a wrong checksum" +
                    (skipWrongChecksums ? skipped : read));
  }
  return notes;
}

std::vector<std::string> WrittenNotes(const ConversionResult& result, std::string_view zoneName,
                                      const OptionNames& names) {
  std::vector<std::string> notes;
  const std::pair<long long, std::string> undated[] = {{result.UndatedPoints, NoDate(names)},
                                                       {result.PointsPastLastDate, "past 9999-12-31"}};
  for (const auto& [count, why] : undated) {
    if (count > 0) notes.push_back(std::to_string(count) + (count == 1 ? " point" : " points") +
                                   " written without time: " + why);
  }
  if (const long long values = result.ValuesOutOfRange; values > 0) {
    notes.push_back(std::to_string(values) + (values == 1 ? " value" : " values") +
                    " left out: altitudes beyond 100 km or speeds beyond 12348 km/h, which no map takes");
  }
  if (std::string utc = UtcTimesNote(result, zoneName, names); !utc.empty()) notes.push_back(std::move(utc));
  return notes;
}

std::string GroupedNumber(long long value) {
  std::string digits = std::to_string(value);
  const std::size_t first = value < 0 ? 1 : 0;
  for (std::size_t at = digits.size(); at > first + 3; at -= 3) digits.insert(at - 3, 1, ',');
  return digits;
}

}  // namespace conversion
