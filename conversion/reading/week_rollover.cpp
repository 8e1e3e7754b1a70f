#include "conversion/reading/week_rollover.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "conversion/reading/fix_date.hpp"
#include "conversion/reading/talkers.hpp"

namespace conversion {

namespace {

constexpr long long FirstDayOf2000 = 10957;
// A receiver's dates lag by one or two rollovers, depending on when it was
// made and how long it has been in use.
constexpr int LargestLag = 2;
constexpr long long YearDays = 365;
constexpr long long WindowDays = 30;
constexpr std::streamoff TailBytes = std::streamoff{1} << 20;

}  // namespace

long long RolloverShift(long long firstDay, const std::optional<int>& forced,
                        const std::optional<long long>& writtenDay,
                        const std::function<std::optional<long long>()>& lastDay) {
  if (forced) return *forced * RolloverDays;
  // The file's time tells which rollover, when one puts the last date just
  // before it.
  const bool impossible = firstDay < FirstDayOf2000;
  if (writtenDay && firstDay < *writtenDay - YearDays) {
    if (const std::optional<long long> last = lastDay ? lastDay() : std::nullopt) {
      for (int lag = 1; lag <= LargestLag; ++lag) {
        const long long moved = *last + lag * RolloverDays;
        if (*last < *writtenDay - YearDays && moved <= *writtenDay && moved >= *writtenDay - WindowDays)
          return lag * RolloverDays;
      }
    }
  }
  if (!impossible) return 0;
  return (FirstDayOf2000 - firstDay + RolloverDays - 1) / RolloverDays * RolloverDays;
}

std::optional<long long> WrittenDay(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::filesystem::file_time_type written = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  const auto system = std::chrono::file_clock::to_sys(written);
  return std::chrono::floor<std::chrono::days>(system).time_since_epoch().count();
}

std::optional<long long> LastLoggedDay(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  const std::streamoff start = std::max<std::streamoff>(0, size - TailBytes);
  std::string tail(static_cast<std::size_t>(size - start), '\0');
  file.seekg(start);
  if (!file.read(tail.data(), static_cast<std::streamsize>(tail.size()))) return std::nullopt;
  // From the end: the first date found is the last.
  std::size_t end = tail.size();
  while (end > 0) {
    const std::size_t begin = tail.find_last_of("\r\n", end - 1);
    const std::size_t first = begin == std::string::npos ? 0 : begin + 1;
    const std::string_view line = std::string_view(tail).substr(first, end - first);
    if (line.size() > 6 && line[0] == '$') {
      const auto type = talkers::TypeOf(line);
      std::optional<LoggedDate> date;
      if (type == talkers::Type("RMC")) date = ReadRmcDate(line);
      else if (type == talkers::Type("ZDA")) date = ReadZdaDate(line);
      if (date) return date->Day;
    }
    if (begin == std::string::npos) break;
    end = begin;
  }
  return std::nullopt;
}

}  // namespace conversion
