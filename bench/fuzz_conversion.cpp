// fuzz_conversion: a libFuzzer target over the sentence decoders (the RMC and
// GLL readers of logs without GGA too), the talker rules, the record writer
// and a whole conversion, each fed the same bytes.
// Besides what the sanitizers catch, it stops at any broken promise: a quick
// reading that disagrees with the reading by fields, a checksum test that
// disagrees with a plain one, a pooled satellite list with zeros, repeats or
// more than 12, a record line that is not one line, a pushpin file whose
// lines do not match the records counted. Built and run by bench/fuzz.

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/formats/pushpin_output.hpp"
#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/reading/talkers.hpp"
#include "conversion/run/convert_log_file.hpp"

using namespace conversion;

namespace {

void Require(bool promise, const char* what) {
  if (promise) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// A record line: "Pt" and the name, one quoted Information column, and a
// single line end, the CR LF at its end.
void CheckRecord(std::string_view record) {
  Require(record.starts_with("Pt"), "a record starts with its name");
  Require(record.ends_with("\"\r\n"), "a record ends with its quote and CR LF");
  Require(CountOf(record, "\n") == 1, "a record is one line");
  Require(CountOf(record, "\"") == 2, "a record has one quoted column");
}

bool SameValues(const GgaValues& a, const GgaValues& b) {
  auto same = [](float x, float y) { return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y); };
  return a.Hours == b.Hours && a.Minutes == b.Minutes && same(a.Seconds, b.Seconds) && a.LatDegrees == b.LatDegrees &&
         same(a.LatMinutes, b.LatMinutes) && a.LatHemisphere == b.LatHemisphere && a.LonDegrees == b.LonDegrees &&
         same(a.LonMinutes, b.LonMinutes) && a.LonHemisphere == b.LonHemisphere && same(a.Altitude, b.Altitude) &&
         a.SatellitesInUse == b.SatellitesInUse && a.Quality == b.Quality && a.TimeGiven == b.TimeGiven &&
         a.AltitudeGiven == b.AltitudeGiven;
}

bool PlainChecksumMatches(std::string_view line) {
  line = line.substr(0, LogLineLength);
  const std::size_t n = line.size();
  if (n < 4 || line[n - 3] != '*') return true;
  if (!std::isxdigit(static_cast<unsigned char>(line[n - 2])) || !std::isxdigit(static_cast<unsigned char>(line[n - 1])))
    return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < n - 3; ++i) sum ^= static_cast<unsigned char>(line[i]);
  return sum == std::stoul(std::string(line.substr(n - 2)), nullptr, 16);
}

// The talker rules line by line, and the satellite list they pool.
struct Talkers {
  TalkerRules Rules;
  TalkerRules WithoutGga;  // the same log read as one of RMC
  FixState Pool;
  bool StartList = true;

  void Take(std::string_view line) {
    if (WithoutGga.KindWithoutGga(line, PositionSentence::Rmc) == SentenceKind::Position) {
      WithoutGga.NotePosition(line);
      Require(WithoutGga.Talker() == line.substr(1, 2) && line.substr(3, 3) == "RMC",
              "a position of a log without GGA is an RMC of the log's talker");
    }
    const SentenceKind kind = Rules.Kind(line);
    if (kind == SentenceKind::Position) {
      Rules.NotePosition(line);
      Require(Rules.Talker() == line.substr(1, 2), "a position sentence that counts is of the log's talker");
      StartList = true;
    } else if (kind == SentenceKind::Satellites && Rules.Pooled() && PoolGsa(line, StartList, Pool)) {
      StartList = false;
      const int count = Pool.SatelliteCount;
      Require(count >= 0 && count <= SatelliteSlots, "a pooled list holds 0 to 12 satellites");
      const auto listed = Pool.SatellitePrns.begin() + count;
      Require(std::find(Pool.SatellitePrns.begin(), listed, 0) == listed &&
                  std::all_of(listed, Pool.SatellitePrns.end(), [](int prn) { return prn == 0; }),
              "a pooled list has no gaps and is zero-filled");
      for (auto prn = Pool.SatellitePrns.begin(); prn != listed; ++prn)
        Require(std::find(prn + 1, listed, *prn) == listed, "a pooled list names each satellite once");
    }
  }
};

// The readers of the logs without GGA: only a fix is read, and its record
// says no altitude and no satellites.
void ReadWithoutGga(std::string_view line, long long name) {
  GgaValues position;
  const bool rmc = ReadRmc(line, position);
  Require(!rmc || HasFix(line, PositionSentence::Rmc), "ReadRmc reads only a fix");
  const bool gll = ReadGll(line, position);
  Require(!gll || HasFix(line, PositionSentence::Gll), "ReadGll reads only a fix");
  if (!rmc && !gll) return;
  FixState fix;
  ApplyGga(position, GgaForm::Final, fix);
  if (rmc) DecodeRmcMotion(line, fix);
  std::string record;
  WritePushpinRecord(name, (name & 2) ? NumberStyle::English : NumberStyle::Continental, rmc, fix, record);
  CheckRecord(record);
  Require(CountOf(record, "Altitude") == 0 && CountOf(record, "Satellites") == 0,
          "a record from RMC or GLL has no altitude or satellites");
}

void DecodeEachLine(std::string_view bytes, FixState& fix) {
  Talkers talkers;
  std::string record;
  long long name = 1;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    const std::string_view line = bytes.substr(0, std::min(end, LogLineLength));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));

    Require(ChecksumMatches(line) == PlainChecksumMatches(line), "the checksum test agrees with a plain one");
    talkers.Take(line);

    GgaValues quick, general;
    const bool readable = ReadGga(line, quick);
    Require(ReadGgaByFields(line, general) == readable && (!readable || SameValues(quick, general)),
            "the quick reading of $GPGGA agrees with the reading by fields");
    FixState before = fix;
    Require(DecodeGga(line, GgaForm::Final, before) == readable, "DecodeGga accepts what ReadGga reads");
    DecodeGga(line, GgaForm::InLoop, fix);
    DecodeGsa(line, fix);
    DecodeVtg(line, fix);
    CommaFieldNumber(line, static_cast<int>(line.size() % 9));
    ReadWithoutGga(line, name);

    record.clear();
    WritePushpinRecord(name, (name & 2) ? NumberStyle::English : NumberStyle::Continental, (name & 1) != 0, fix, record);
    CheckRecord(record);
    name = name * 7 + 3;  // through every width of the name column, both styles, with and without speed
    if (name > 1'000'000'000'000) name = 1;
  }
}

// A file in memory, reached by name through /proc, as a conversion needs names.
struct MemoryFile {
  int Descriptor = memfd_create("fuzz", 0);
  std::string Name = "/proc/self/fd/" + std::to_string(Descriptor);

  void Fill(std::string_view bytes) const {
    Require(ftruncate(Descriptor, 0) == 0 && lseek(Descriptor, 0, SEEK_SET) == 0, "memory file emptied");
    Require(write(Descriptor, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "memory file filled");
    Require(lseek(Descriptor, 0, SEEK_SET) == 0, "memory file rewound");
  }
  std::string Contents() const {
    struct stat status {};
    Require(fstat(Descriptor, &status) == 0, "memory file measured");
    std::string contents(static_cast<std::size_t>(status.st_size), '\0');
    Require(pread(Descriptor, contents.data(), contents.size(), 0) == status.st_size, "memory file read");
    return contents;
  }
};

void ConvertWhole(std::string_view bytes, NumberStyle style, int resolution) {
  static const MemoryFile log;
  static const MemoryFile output;
  log.Fill(bytes);
  output.Fill({});
  ConversionRequest request;
  request.Logs = {log.Name};
  request.Output = output.Name;
  request.Style = style;
  request.Kept = OneFixIn{resolution};
  const ConversionResult result = ConvertLogFile(request);
  Require(result.Succeeded(), "a log in memory converts");
  const std::string pushpins = output.Contents();
  Require(pushpins.starts_with(style == NumberStyle::English ? "  Name, Latitude,  Longitude, Information\r\n"
                                                     : "Name\tLatitude\tLongitude\tInformation\r\n"),
          "the file starts with its header");
  Require(CountOf(pushpins, "\n") == static_cast<std::size_t>(result.RecordsWritten) + 1,
          "one line per record counted, and the header");
  Require(CountOf(pushpins, "\r\n") == CountOf(pushpins, "\n"), "every line ends with CR LF");
}

// Every track option, to GPX: a point per record, in segments that open and close.
void ConvertTrack(std::string_view bytes, int options) {
  static const MemoryFile log;
  static const MemoryFile output;
  log.Fill(bytes);
  output.Fill({});
  ConversionRequest request;
  request.Logs = {log.Name};
  request.Output = output.Name;
  request.Format = OutputFormat::Gpx;
  request.Kept = OneFixPer{1000 * (options >> 4)};
  request.Track.SplitGapMs = 30'000;
  request.Track.FixesOnly = true;
  request.Track.MaxSpeedKmh = 300;
  const ConversionResult result = ConvertLogFile(request);
  Require(result.Succeeded(), "a log in memory converts with every track option");
  const std::string gpx = output.Contents();
  Require(CountOf(gpx, "<trkpt ") == static_cast<std::size_t>(result.RecordsWritten), "a point per record");
  Require(CountOf(gpx, "<trkseg>") == CountOf(gpx, "</trkseg>"), "every segment closed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FixState fix;
  DecodeEachLine(bytes, fix);
  // A whole conversion costs ten times what the rest does (the engine's large
  // buffers), so one input in eight takes it, its options from the first byte.
  const int options = size > 0 ? data[0] : 0;
  if (options % 8 == 0) ConvertWhole(bytes, (options & 8) ? NumberStyle::Continental : NumberStyle::English, 1 + (options >> 4) % 10);
  if (options % 8 == 4) ConvertTrack(bytes, options);
  return 0;
}
