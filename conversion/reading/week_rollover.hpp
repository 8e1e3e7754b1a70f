#pragma once
// Receivers whose GPS week counter has 10 bits count 1024 weeks and start
// again: after their rollover (the last on 2019-04-06) they report dates
// 1024 weeks too early. Two kinds of evidence move a log's dates forward by
// whole rollovers: a date before 2000, which no log of this kind can carry;
// and a log whose last date lies more than a year before its file was last
// written while a rollover or two later it falls within the 30 days before.
// A true old log, standard input or a copy without its file's time moves
// nowhere.

#include <filesystem>
#include <functional>
#include <optional>

namespace conversion {

constexpr long long RolloverDays = 1024 * 7;

// Days (since 1970-01-01) to add to every date of a log that has the first
// date `firstDay`: `forced` rollovers when given, otherwise what the
// evidence says. `writtenDay` is the day the log's file was last written;
// `lastDay` gives the log's last date, and is asked only when that may move
// the dates.
long long RolloverShift(long long firstDay, const std::optional<int>& forced,
                        const std::optional<long long>& writtenDay,
                        const std::function<std::optional<long long>()>& lastDay);

// The evidence a log's file gives: the day it was last written, and its last
// date (RMC or ZDA), looked for in its last mebibyte. Nothing for what is no
// regular file.
std::optional<long long> WrittenDay(const std::filesystem::path& path);
std::optional<long long> LastLoggedDay(const std::filesystem::path& path);

}  // namespace conversion
