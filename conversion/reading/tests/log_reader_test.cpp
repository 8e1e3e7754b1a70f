#include <doctest/doctest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>

#include <thread>
#endif

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
    struct Case {
      std::string_view Bytes;
      std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},                        // CR alone, the file's last CR included
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},         // mixed, the last line without an end
        {"a\r\r\nb\n\r\n\n", {"a", "", "b", "", ""}},  // a CR before CR LF ends a line of its own
        {"$GPGGA,1\r\r", {"$GPGGA,1", ""}},
        {"last line without newline", {"last line without newline"}},
        {"", {}},
    };
    for (const Case& c : cases) {
      CAPTURE(c.Bytes);
      WriteFile(log, c.Bytes);
      CHECK(Lines(log) == c.Lines);
    }
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
  SUBCASE("lines longer than the buffer, ended by CR LF or by CR alone") {
    std::string huge(3'500'000, 'h');
    huge[0] = 'H';
    const std::string head = "H" + std::string(LogLineLength - 1, 'h');
    WriteFile(log, huge + "\r\nafter\n" + huge);
    CHECK(Lines(log) == std::vector<std::string>{head, "after", head});
    // A CR just before the buffer's end waits for the next byte.
    for (const std::size_t length : {(std::size_t{1} << 20) - 1, std::size_t{1} << 20}) {
      CAPTURE(length);
      huge.resize(length);
      WriteFile(log, huge + "\rafter\r" + huge + "\r\n");
      CHECK(Lines(log) == std::vector<std::string>{head, "after", head});
    }
    const std::string filler((std::size_t{1} << 20) - 4, 'x');
    for (const std::string_view end : {"\r", "\r\n"}) {
      CAPTURE(end);
      WriteFile(log, "ab\n" + filler + std::string(end) + "next");
      CHECK(Lines(log) == std::vector<std::string>{"ab", filler.substr(0, LogLineLength), "next"});
    }
  }
  SUBCASE("a CR-only log of several buffers") {
    const std::string gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47";
    std::string crOnly;
    for (int i = 0; i < 60'000; ++i) crOnly += gga + "\r";
    WriteFile(log, crOnly);
    CHECK(Lines(log) == std::vector<std::string>(60'000, gga));
  }
  SUBCASE("line ends at every place in a block and across refills of the buffer") {
    // Lines of every length up to a few blocks and past the 256 decoded,
    // ended by LF, CR LF or CR, in a log of several buffers.
    std::string bytes;
    std::vector<std::string> expected;
    for (std::size_t i = 0; bytes.size() < 2'500'000; ++i) {
      const std::size_t length = (i * 7919) % 300;
      const std::string line(length, static_cast<char>('a' + i % 26));
      bytes += line + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\r\n" : "\n");
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
  SUBCASE("read again from the start after a look ahead, however far it went") {
    // Lines longer than the buffer, one of them ended by a CR that ends the buffer too.
    std::string large = std::string((std::size_t{1} << 20) - 1, 'x') + "\r";
    for (int i = 0; large.size() < 2'500'000; ++i) large += std::to_string(i) + (i % 1000 == 0 ? std::string(1'200'000, 'x') : "") + "\r\n";
    for (const std::string& bytes : {"a\r\nb\nc"s, large}) {
      WriteFile(log, bytes);
      const std::vector<std::string> all = Lines(log);
      for (const std::size_t ahead : {std::size_t{0}, std::size_t{1}, all.size() / 2, all.size() + 1}) {
        CAPTURE(ahead);
        // A file is read again; a pipe's head is kept as it is read.
        std::vector<std::string> names = {log};
#ifndef _WIN32
        const std::string pipe = folder / "pipe";
        REQUIRE(mkfifo(pipe.c_str(), 0600) == 0);
        std::thread writer([&] { WriteFile(pipe, bytes); });
        names.push_back(pipe);
#endif
        for (const std::string& name : names) {
          CAPTURE(name);
          LogReader reader;
          REQUIRE(reader.Open(name));
          reader.LookAhead();
          std::string_view line;
          for (std::size_t i = 0; i < ahead && reader.NextLine(line); ++i) {}
          REQUIRE(reader.Rewind());
          std::vector<std::string> again;
          while (reader.NextLine(line)) again.emplace_back(line);
          CHECK(again == all);
        }
#ifndef _WIN32
        writer.join();
        fs::remove(pipe);
#endif
      }
    }
  }
  SUBCASE("failures carry the system's reason") {
    LogReader missing;
    CHECK_FALSE(missing.Open(folder / "missing.pgl"));
    CHECK(missing.Reason() == "No such file or directory");
  }
}
