// Runs the built pinwell as a user would, through the system's command
// interpreter, and looks at its exit status, its messages and its files.

#include <doctest/doctest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace {

struct Run {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The messages as a program writes them in text mode: CR LF on Windows.
std::string Lines(std::string text) {
#ifdef _WIN32
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
    text.insert(at, 1, '\r');
  }
#endif
  return text;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

// Runs pinwell in the scratch folder with the arguments (plain words, no
// quoting needed) and, when given, a file as its standard input and another
// file than run.out as its standard output.
Run Pinwell(std::string_view arguments, std::string_view input = {}, std::string_view output = "run.out") {
  std::string command = "\"" PINWELL_EXECUTABLE "\" " + std::string(arguments);
  if (!input.empty()) command += " < " + std::string(input);
  command += " > " + std::string(output) + " 2> run.err";
#ifdef _WIN32
  // cmd.exe drops the outermost pair of quotes.
  command = "\"" + command + "\"";
#endif
  Run run;
  const int status = std::system(command.c_str());
#ifdef _WIN32
  run.Status = status;
#else
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  run.Out = Contents("run.out");
  run.Err = Contents("run.err");
  return run;
}

// Three fixes with speed, two without: the lines a receiver logs each second.
constexpr std::string_view MovingLog =
    "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39\r\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n"
    "$GPGGA,123520.000,4807.0390,N,01131.0010,E,1,08,0.9,545.6,M,46.9,M,,*47\r\n"
    "$GPVTG,054.9,T,034.6,M,005.6,N,010.4,K*48\r\n"
    "$GPGGA,123521.000,4807.0400,N,01131.0020,E,1,08,0.9,545.8,M,46.9,M,,*47\r\n"
    "$GPVTG,055.1,T,034.8,M,005.7,N,010.6,K*48\r\n";
constexpr std::string_view StillLog =
    "$GPGGA,000001.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*47\r\n"
    "$GPGGA,000002.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*47\r\n";

// A fresh folder for each test case, left behind for a look after a failure.
struct Scratch {
  fs::path Before = fs::current_path();
  explicit Scratch(std::string_view name) {
    const fs::path folder = Before / "end_to_end" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    Write("moving.pgl", MovingLog);
    Write("still.PGL", StillLog);
  }
  ~Scratch() { fs::current_path(Before); }
};

}  // namespace

TEST_CASE("pinwell converts logs and reports as the desktop program does") {
  Scratch scratch("success");

  SUBCASE("one log: the desktop program's lines alone") {
    const Run run = Pinwell("moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == Lines("3 records written.  Resolution (secs):  1\n"));
    CHECK(run.Err == "");
    // The header and one line per record, each ended by CR LF.
    CHECK(CountOf(Contents("moving.txt"), "\r\n") == 4);
  }
  SUBCASE("several logs with options: each report names its log") {
    const Run run = Pinwell("-r 5 moving.pgl --continental still.PGL");
    CHECK(run.Status == 0);
    CHECK(run.Out == Lines("moving.pgl: 2 records written.  Resolution (secs):  5\n"
                           "still.PGL: 2 records written.  Resolution (secs):  5\n"
                           "still.PGL: Speed/Course data not available\n"));
    CHECK(run.Err == "");
    CHECK(CountOf(Contents("moving.txt"), "\r\n") == 3);
    CHECK(CountOf(Contents("still.txt"), "\r\n") == 3);
  }
  SUBCASE("quiet says nothing") {
    const Run run = Pinwell("-q moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "");
    CHECK(run.Err == "");
    CHECK(fs::exists("moving.txt"));
  }
}

TEST_CASE("pinwell goes on past a log that fails and says which") {
  Scratch scratch("missing");
  const Run run = Pinwell("moving.pgl missing.pgl still.PGL");
  CHECK(run.Status == 1);
  CHECK(run.Err == Lines("pinwell: missing.pgl: No such file or directory\n"));
  CHECK(run.Out == Lines("moving.pgl: 3 records written.  Resolution (secs):  1\n"
                         "still.PGL: 2 records written.  Resolution (secs):  1\n"
                         "still.PGL: Speed/Course data not available\n"));
  CHECK(fs::exists("moving.txt"));
  CHECK(fs::exists("still.txt"));
  CHECK_FALSE(fs::exists("missing.txt"));
}

TEST_CASE("pinwell refuses a command line it cannot act on") {
  Scratch scratch("usage");
  const Run run = Pinwell("-r 0 moving.pgl");
  CHECK(run.Status == 2);
  CHECK(run.Out == "");
  CHECK(run.Err == Lines("pinwell: the resolution must be a whole number from 1 to 3600, not '0'\n"
                         "Try 'pinwell --help' for more information.\n"));
  CHECK_FALSE(fs::exists("moving.txt"));
}

#ifndef _WIN32

TEST_CASE("pinwell on the standard streams") {
  Scratch scratch("streams");
  REQUIRE(Pinwell("moving.pgl").Status == 0);
  const std::string pushpins = Contents("moving.txt");
  REQUIRE(pushpins != "");

  SUBCASE("-o - writes the pushpins to standard output, the report to standard error") {
    const Run run = Pinwell("-o - moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("- as the log reads standard input and writes standard output") {
    const Run run = Pinwell("-", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("standard input beside other logs") {
    const Run run = Pinwell("still.PGL -", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "still.PGL: 2 records written.  Resolution (secs):  1\n"
                     "still.PGL: Speed/Course data not available\n"
                     "standard input: 3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("standard input into a file") {
    const Run run = Pinwell("-o from-input.txt -", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "3 records written.  Resolution (secs):  1\n");
    CHECK(Contents("from-input.txt") == pushpins);
  }
}

TEST_CASE("pinwell writing to devices") {
  Scratch scratch("devices");

  SUBCASE("/dev/null takes the pushpins and stays what it is") {
    const Run run = Pinwell("-o /dev/null moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "3 records written.  Resolution (secs):  1\n");
    struct stat status {};
    REQUIRE(stat("/dev/null", &status) == 0);
    CHECK(S_ISCHR(status.st_mode));
  }
  SUBCASE("a full device is a failure with the system's reason") {
    const Run run = Pinwell("-o /dev/full moving.pgl");
    CHECK(run.Status == 1);
    CHECK(run.Out == "");
    CHECK(run.Err == "pinwell: /dev/full: No space left on device\n");
  }
  SUBCASE("a report that cannot be written is a failure too") {
    const Run run = Pinwell("moving.pgl", {}, "/dev/full");
    CHECK(run.Status == 1);
    CHECK(run.Err == "pinwell: standard output: No space left on device\n");
    CHECK(fs::exists("moving.txt"));
  }
}

#endif
