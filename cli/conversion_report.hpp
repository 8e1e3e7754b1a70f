#pragma once
// The report printed after each log: the desktop program's lines, labelled.

#include <string>
#include <string_view>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/run/result_lines.hpp"

namespace cli {

// The options the notes point to, as the command line names them.
inline constexpr conversion::OptionNames CommandLineOptions{"--fixes-only", "--max-speed", "--checksums", "--date"};

// The count line and, when no speed was logged, the speed line, each ended by
// a newline. A label (the log's name when there are several) starts each line.
// With one fix per duration (`every` as the user wrote it) the count line
// names it in place of the resolution.
std::string ConversionReport(std::string_view label, int recordsWritten, bool speedAvailable,
                             const conversion::KeptFixes& kept, std::string_view every = {});

// The notes for standard error about what was read, each ended by a newline
// and started by "pinwell: " and the log's label: why the log gave no record,
// how many of the sentences read had a wrong checksum, and how many fixes
// the options left out.
std::string ReadingNotes(std::string_view label, const conversion::ConversionResult::LogResult& log,
                         bool skipWrongChecksums);

}  // namespace cli
