#include "cli/statistics_report.hpp"

#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/statistics_figures.hpp"
#include "conversion/run/result_lines.hpp"

namespace cli {

std::string StatisticsReportText(StatisticsReport form, std::string_view logLabel,
                                 const conversion::TrackStatistics& statistics, const conversion::LogCounts& counts,
                                 const conversion::TimeZone& zone) {
  if (form == StatisticsReport::Json) {
    std::string json = conversion::StatisticsJson(conversion::Utf8Text(logLabel), statistics, zone);
    json.pop_back();
    json += ",\"talker\":";
    json += counts.Talker.empty() ? "null" : "\"" + counts.Talker + "\"";
    json += ",\"positions_from\":";
    if (counts.Talker.empty()) {
      json += "null";
    } else {
      json += '"';
      json += conversion::PositionSentenceName(counts.PositionsFrom);
      json += '"';
    }
    json += ",\"sentences_without_position\":" + std::to_string(counts.WithoutPosition);
    json += ",\"wrong_checksums\":" + std::to_string(counts.WrongChecksums) + "}\n";
    return json;
  }
  std::vector<conversion::Figure> figures = conversion::StatisticsFigures(statistics, zone);
  // What the reading saw, beyond the kept records.
  figures.push_back({"Talker", counts.Talker.empty() ? "none" : counts.Talker});
  if (!counts.Talker.empty()) {
    figures.push_back({"Positions from", std::string(conversion::PositionsFromText(counts.PositionsFrom))});
    if (counts.PositionsFrom != conversion::PositionSentence::Gga)
      figures.push_back({"Not in the log", "altitude, satellites in use"});
  }
  const auto sentences = [](long long count) { return std::to_string(count) + (count == 1 ? " sentence" : " sentences"); };
  figures.push_back({"No position", sentences(counts.WithoutPosition)});
  figures.push_back({"Wrong checksum", sentences(counts.WrongChecksums)});
  std::size_t width = 0;
  for (const conversion::Figure& figure : figures) width = std::max(width, figure.Label.size());
  std::string text(logLabel);
  text += ":\n";
  for (const conversion::Figure& figure : figures) {
    text += "  ";
    text += figure.Label;
    text += ":";
    text.append(width + 2 - figure.Label.size(), ' ');
    text += figure.Value;
    text += '\n';
  }
  return text + "\n";
}

}  // namespace cli
