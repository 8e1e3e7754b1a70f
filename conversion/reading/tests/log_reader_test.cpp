#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "conversion/reading/log_reader.hpp"
#include "conversion/tests/test_files.hpp"

using namespace conversion;
using namespace conversion_tests;
using namespace std::literals;

namespace {
std::vector<std::string> Lines(const std::string& path) {
  LogReader reader;
  REQUIRE(reader.Open(path));
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.NextLine(line)) lines.emplace_back(line);
  CHECK_FALSE(reader.Failed());
  return lines;
}
}  // namespace

TEST_CASE("LogReader") {
  TempFolder folder("reader");
  const std::string log = folder / "log.pgl";

  SUBCASE("line ends") {
    WriteFile(log, "a\r\nb\n\r\nc\rd\r\r\n\ne\r");
    CHECK(Lines(log) == std::vector<std::string>{"a", "b", "", "c\rd\r", "", "e\r"});
    WriteFile(log, "last line without newline");
    CHECK(Lines(log) == std::vector<std::string>{"last line without newline"});
    WriteFile(log, "");
    CHECK(Lines(log).empty());
  }
  SUBCASE("NUL bytes are bytes like any other") {
    WriteFile(log, "a\0b\n\0\n"sv);
    CHECK(Lines(log) == std::vector<std::string>{"a\0b"s, "\0"s});
  }
  SUBCASE("a line is handed out with its first 256 characters") {
    const std::string head(LogLineLength, 'x');
    WriteFile(log, head + "yz\r\nnext\n");
    CHECK(Lines(log) == std::vector<std::string>{head, "next"});
  }
  SUBCASE("lines longer than the buffer, and a CR-only file") {
    std::string huge(3'500'000, 'h');
    huge[0] = 'H';
    WriteFile(log, huge + "\r\nafter\n" + huge);
    const std::string head = "H" + std::string(LogLineLength - 1, 'h');
    CHECK(Lines(log) == std::vector<std::string>{head, "after", head});

    std::string crOnly;
    for (int i = 0; i < 60'000; ++i) crOnly += "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r";
    WriteFile(log, crOnly);
    const std::vector<std::string> lines = Lines(log);
    REQUIRE(lines.size() == 1);
    CHECK(lines[0] == crOnly.substr(0, LogLineLength));
  }
  SUBCASE("line ends at every place in a block and across refills of the buffer") {
    // Lines of every length up to a few blocks and past the 256 decoded, some
    // with a CR of their own, in a log of several buffers: as a plain split gives them.
    std::string bytes;
    std::vector<std::string> expected;
    for (std::size_t i = 0; bytes.size() < 2'500'000; ++i) {
      const std::size_t length = (i * 7919) % 300;
      std::string line(length, static_cast<char>('a' + i % 26));
      if (length > 0 && i % 3 == 0) line.back() = '\r';
      bytes += line + (i % 5 == 0 ? "\r\n" : "\n");
      if (!line.empty() && line.back() == '\r' && i % 5 != 0) line.pop_back();
      expected.push_back(line.substr(0, LogLineLength));
    }
    WriteFile(log, bytes);
    CHECK(Lines(log) == expected);
  }
  SUBCASE("progress once per buffer filled, against the size of the log") {
    WriteFile(log, std::string(2'500'000, '\n'));
    std::vector<std::uint64_t> reports;
    LogReader reader;
    // A temporary report: the reader must keep its own copy.
    REQUIRE(reader.Open(log, [&](std::uint64_t done, std::uint64_t total) {
      CHECK(total == 2'500'000);
      reports.push_back(done);
    }));
    std::string_view line;
    int count = 0;
    while (reader.NextLine(line)) ++count;
    CHECK(count == 2'500'000);
    CHECK(reports.size() >= 3);
    CHECK(reports.size() <= 6);
    CHECK(reports.back() == 2'500'000);
  }
  SUBCASE("failures carry the system's reason") {
    LogReader missing;
    CHECK_FALSE(missing.Open(folder / "missing.pgl"));
    CHECK(missing.Reason() == "No such file or directory");
  }
}
