#include "cli/option_table.hpp"

#include <array>
#include <charconv>
#include <vector>

#include "cli/quantities.hpp"
#include "cli/usage_text.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/run/parallel_runs.hpp"

namespace cli {

namespace {

using Settings = OptionSettings;
// Present for every option that requires a value.
using Value = std::optional<std::string_view>;

// A whole number from `least` to `most`, written with digits only.
std::optional<int> ReadWhole(std::string_view text, int least, int most) {
  int value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  const bool whole = !text.empty() && text.front() != '-' && failure == std::errc() && stop == end;
  if (!whole || value < least || value > most) return std::nullopt;
  return value;
}

bool ReadResolution(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  const std::optional<int> resolution = ReadWhole(text, 1, MaximumResolution);
  if (!resolution) {
    error = "the resolution must be a whole number from 1 to " + std::to_string(MaximumResolution) + ", not " +
            InQuotes(text);
    return false;
  }
  settings.Line.Request.Kept = conversion::OneFixIn{*resolution};
  settings.ResolutionGiven = true;
  return true;
}

bool ReadJobs(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  const std::optional<int> jobs = ReadWhole(text, 1, static_cast<int>(conversion::MostJobs));
  if (!jobs) {
    error = "-j takes a number of logs from 1 to " + std::to_string(conversion::MostJobs) + ", not " + InQuotes(text);
    return false;
  }
  settings.Line.Jobs = static_cast<unsigned>(*jobs);
  return true;
}

// "pushpin, gpx or svg": the names of the formats the command line takes.
std::string FormatNames() {
  std::vector<std::string_view> names;
  for (const conversion::FormatRow& row : conversion::FormatRows())
    if (!row.Name.empty()) names.push_back(row.Name);
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
    list += names[i];
  }
  return list;
}

bool ReadFormat(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  const std::optional<conversion::OutputFormat> format = conversion::FindFormat(text);
  if (!format) {
    error = "the format must be " + FormatNames() + ", not " + InQuotes(text);
    return false;
  }
  settings.Line.Request.Format = *format;
  settings.FormatGiven = true;
  return true;
}

bool ReadDate(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  std::optional<long long>& day = settings.Line.Request.Reading.FirstDay;
  day = conversion::ReadDay(text);
  if (!day) error = "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not " + InQuotes(text);
  return day.has_value();
}

bool ReadTimeZone(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  std::string reason;
  std::optional<conversion::TimeZone> zone = conversion::TimeZone::Find(text, reason);
  if (!zone) error = "unknown time zone " + InQuotes(text) + ": " + reason;
  else settings.Line.Request.Zone = std::move(*zone);
  return zone.has_value();
}

// A receiver lags by one rollover or two; more would move past any date a log can hold.
constexpr int MostRollovers = 8;

bool ReadWeekRollover(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  const std::optional<int> rollovers = text == "off" ? 0 : ReadWhole(text, 0, MostRollovers);
  if (!rollovers) {
    error = "--week-rollover takes off or a number of rollovers from 0 to " + std::to_string(MostRollovers) +
            ", not " + InQuotes(text);
    return false;
  }
  settings.Line.Request.Reading.WeekRollovers = rollovers;
  return true;
}

bool ReadOutput(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  if (text.empty()) {
    error = "the output name is empty";
    return false;
  }
  settings.OutputName = text;
  return true;
}

bool ReadDurationOption(std::string_view option, std::string_view text, std::optional<long long>& milliseconds,
                  std::string& error) {
  milliseconds = ReadDuration(text);
  if (!milliseconds) {
    error = std::string(option) + " takes a duration with its unit (s, m or h: 5s, 1m, 1.5h) from " +
            std::string(ShortestDuration) + " to " + std::string(LongestDuration) + ", not " + InQuotes(text);
  }
  return milliseconds.has_value();
}

bool ReadMaximumSpeed(Value value, Settings& settings, std::string& error) {
  const std::string_view text = *value;
  std::optional<double>& kmh = settings.Line.Request.Track.MaxSpeedKmh;
  kmh = ReadSpeed(text);
  if (!kmh) {
    error = "--max-speed takes a speed above 0 with its unit (kmh, km/h, ms, m/s, mph or kn: 200kmh, 50ms, 120mph, "
            "30kn), not " + InQuotes(text);
  }
  return kmh.has_value();
}

bool ReadStatistics(Value form, Settings& settings, std::string& error) {
  if (!form || *form == "text") settings.Line.Statistics = StatisticsReport::Text;
  else if (*form == "json") settings.Line.Statistics = StatisticsReport::Json;
  else error = "--stats takes json, text or nothing, not " + InQuotes(*form);
  return error.empty();
}

constexpr std::string_view Version = "pinwell " PINWELL_VERSION "\n";

using enum OptionValue;

constexpr std::array Rows{
    Option{"-f", "--format", Required, "FORMAT", "a format", "what to write (default pushpin):", true, ReadFormat},
    Option{"", "--date", Required, "YYYY-MM-DD", "a date",
           "the day of the first fix, for logs whose RMC and ZDA sentences give none: it dates the map formats' "
           "points, --stats and the times --time-zone shows",
           false, ReadDate},
    Option{"", "--time-zone", Required, "ZONE", "a time zone",
           "the times people read (pushpin notes, CSV, --stats, the picture's caption) in ZONE: a name such as "
           "Europe/Berlin, local (this machine's zone) or an offset such as +05:30; summer time by each fix's own "
           "date, a fix without one left in UTC; GPX, KML and GeoJSON keep UTC (default UTC)",
           false, ReadTimeZone},
    Option{"", "--week-rollover", Required, "N|off", "a number of rollovers or off",
           "move the log's dates forward by N x 1024 weeks, or never; by default a receiver's dates from before its "
           "GPS week rollover move (dates before 2000, or 1024 weeks behind the time the log's file was written)",
           false, ReadWeekRollover},
    Option{"-o", "--output", Required, "FILE", "a file name",
           "write to FILE (one LOG only, or all of them with --merge; - is standard output); by default the LOG's "
           "name with its first .pgl made the format's extension ({}), or with that extension appended",
           false, ReadOutput},
    Option{"-r", "--resolution", Required, "N", "a number",
           "keep one fix in N, and always the last (1 to 3600; default 1)", false,
           ReadResolution},
    Option{"", "--every", Required, "DURATION", "a duration",
           "keep the first fix, then each at least DURATION after the last kept one by the fixes' own times (5s, "
           "1m, 1.5h), and always the last; instead of -r",
           false,
           [](Value v, Settings& s, std::string& e) {
             s.Line.EveryText = *v;
             s.EveryGiven = true;
             std::optional<long long> every;
             if (!ReadDurationOption("--every", *v, every, e)) return false;
             s.Line.Request.Kept = conversion::OneFixPer{*every};
             return true;
           }},
    Option{"", "--split-gap", Required, "DURATION", "a duration",
           "a gap of more than DURATION between fixes starts a new track segment (map formats; a segment column in "
           "CSV)",
           false,
           [](Value v, Settings& s, std::string& e) {
             return ReadDurationOption("--split-gap", *v, s.Line.Request.Track.SplitGapMs, e);
           }},
    Option{"", "--fixes-only", None, "", "",
           "leave out positions without a fix: fix quality 0, an RMC with status V, latitude and longitude both 0",
           false,
           [](Value, Settings& s, std::string&) {
             s.Line.Request.Track.FixesOnly = true;
             return true;
           }},
    Option{"", "--max-speed", Required, "SPEED", "a speed",
           "leave out a fix only a jump faster than SPEED reaches (200kmh or 200km/h, 50ms or 50m/s, 120mph, 30kn) "
           "from the track, which starts at 3 fixes in a row that reach each other; 13 in a row out of its reach "
           "are the receiver moved",
           false, ReadMaximumSpeed},
    Option{"", "--merge", None, "", "",
           "all LOGs into the one file -o names, in the order given, as one track, the fixes numbered on", false,
           [](Value, Settings& s, std::string&) {
             s.Line.Merge = true;
             return true;
           }},
    Option{"-j", "--jobs", Required, "N", "a number",
           "convert up to N LOGs at the same time (1 to 64; default the number of processors); what is said about "
           "them comes in the order given all the same",
           false, ReadJobs},
    Option{"", "--english", None, "", "",
           "English numbers: columns separated by commas, decimal point (default)", false,
           [](Value, Settings& s, std::string&) {
             s.Line.Request.Style = conversion::NumberStyle::English;
             return true;
           }},
    Option{"", "--continental", None, "", "",
           "Continental numbers: columns separated by tabs, decimal comma (pushpin files only)", false,
           [](Value, Settings& s, std::string&) {
             s.Line.Request.Style = conversion::NumberStyle::Continental;
             return true;
           }},
    Option{"", "--checksums", None, "", "",
           "skip the sentences whose checksum does not match (by default they are read, and counted)", false,
           [](Value, Settings& s, std::string&) {
             s.Line.Request.Reading.SkipWrongChecksums = true;
             return true;
           }},
    Option{"-q", "--quiet", None, "", "", "do not report the records written (errors still show)", false,
           [](Value, Settings& s, std::string&) {
             s.Line.Quiet = true;
             return true;
           }},
    Option{"", "--stats", Attached, "[=text|json]", "",
           "write nothing; print what each LOG holds: records, times, distance, moving time, speeds, bounding box "
           "(of the fixes the options keep); as lines to read (=text, the default) or one JSON object per LOG "
           "(=json)",
           false, ReadStatistics},
    Option{"-h", "--help", None, "", "", "show this text", false,
           [](Value, Settings& s, std::string&) {
             s.Answer = UsageText(s.Program);
             return true;
           }},
    Option{"", "--version", None, "", "", "show the version", false,
           [](Value, Settings& s, std::string&) {
             s.Answer = std::string(Version);
             return true;
           }},
    Option{"", "--", None, "", "", "the arguments that follow are logs, even if they start with -"},
};

}  // namespace

std::span<const Option> Options() { return Rows; }

std::string InQuotes(std::string_view text) {
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

}  // namespace cli
