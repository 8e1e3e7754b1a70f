#include "cli/statistics_report.hpp"

#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/statistics_figures.hpp"

namespace cli {

std::string StatisticsReportText(StatisticsReport form, std::string_view logLabel,
                                 const conversion::TrackStatistics& statistics) {
  if (form == StatisticsReport::Json) {
    return conversion::StatisticsJson(conversion::Utf8Text(logLabel), statistics) + "\n";
  }
  const std::vector<conversion::Figure> figures = conversion::StatisticsFigures(statistics);
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
