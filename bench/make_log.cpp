// make_log: writes a deterministic track log for the throughput benchmark.
//
//   make_log MEGABYTES FILE [exact|real]
//
// One epoch per second, as a receiver in a moving car logs it, each sentence
// ended by CR LF and carrying a valid checksum. Speed, heading, altitude and
// the satellites in view drift from second to second, so the numbers vary as
// real ones do. The same arguments always give the same bytes.
//
// exact (the default): a GPS receiver in the layout the desktop program was
// written for: $GPGGA (three decimals of seconds, four of minutes), $GPGSA,
// three $GPGSV, $GPRMC, $GPVTG, $GPGLL.
// real: a receiver of GPS and GLONASS as most are today: two decimals of
// seconds, five of minutes, $GNGGA, a $GNGSA for each system (pooled into one
// list), three $GPGSV and two $GLGSV, $GNRMC, $GNVTG, $GNGLL.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// A fixed generator, so the log is the same on every machine and library.
struct Random {
  std::uint64_t State = 0x9E3779B97F4A7C15u;
  std::uint32_t Next() {
    State = State * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>(State >> 33);
  }
  double Uniform(double low, double high) { return low + (high - low) * (Next() / 2147483648.0); }
  int Integer(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1)); }
};

struct Satellite {
  int Prn;
  int Elevation;
  int Azimuth;
  int Snr;
};

enum class Layout { Exact, Real };

struct Vehicle {
  double Latitude = 48.1173;  // degrees, north positive
  double Longitude = 11.5167;
  double Altitude = 545.4;  // metres
  double Heading = 54.7;    // degrees true
  double SpeedKmh = 40.0;
  long Second = 12 * 3600 + 35 * 60 + 19;  // UTC seconds since the first midnight
  int UsedCount = 8;
  Satellite InView[12];
  Satellite Glonass[8]{};  // numbered 65 to 88
  int GlonassUsed = 5;
};

double Clamp(double value, double low, double high) { return value < low ? low : value > high ? high : value; }

// The GLONASS satellites move only in the real layout, so that the exact
// layout stays the log it always was.
void Move(Vehicle& v, Random& random, Layout layout) {
  constexpr double Pi = 3.14159265358979323846;
  v.SpeedKmh = Clamp(v.SpeedKmh + random.Uniform(-4.0, 4.0), 0.0, 130.0);
  v.Heading = std::fmod(v.Heading + random.Uniform(-6.0, 6.0) + 360.0, 360.0);
  v.Altitude = Clamp(v.Altitude + random.Uniform(-1.5, 1.5), 100.0, 999.0);
  const double metres = v.SpeedKmh / 3.6;
  v.Latitude += metres * std::cos(v.Heading * Pi / 180.0) / 111320.0;
  v.Longitude += metres * std::sin(v.Heading * Pi / 180.0) / (111320.0 * std::cos(v.Latitude * Pi / 180.0));
  ++v.Second;

  v.UsedCount = static_cast<int>(Clamp(v.UsedCount + random.Integer(-1, 1), 4, 12));
  for (Satellite& s : v.InView) s.Snr = static_cast<int>(Clamp(s.Snr + random.Integer(-2, 2), 15, 50));
  // Now and then a satellite sets and another rises.
  if (random.Integer(0, 59) == 0) {
    Satellite& s = v.InView[random.Integer(0, 11)];
    s = {random.Integer(1, 32), random.Integer(5, 85), random.Integer(0, 359), random.Integer(20, 45)};
  }
  if (layout == Layout::Real) {
    v.GlonassUsed = static_cast<int>(Clamp(v.GlonassUsed + random.Integer(-1, 1), 2, 8));
    for (Satellite& s : v.Glonass) s.Snr = static_cast<int>(Clamp(s.Snr + random.Integer(-2, 2), 15, 50));
    if (random.Integer(0, 59) == 0) {
      Satellite& s = v.Glonass[random.Integer(0, 7)];
      s = {random.Integer(65, 88), random.Integer(5, 85), random.Integer(0, 359), random.Integer(20, 45)};
    }
  }
}

struct Output {
  std::FILE* File;
  char Line[200];

  // Finishes the sentence in Line (from "$" up to the fields' end) with its
  // checksum and CR LF, and writes it.
  void Sentence(int length) {
    std::uint8_t sum = 0;
    for (int i = 1; i < length; ++i) sum ^= static_cast<std::uint8_t>(Line[i]);
    length += std::snprintf(Line + length, sizeof Line - length, "*%02X\r\n", sum);
    std::fwrite(Line, 1, static_cast<std::size_t>(length), File);
  }
};

// ddmm.mmmm (or dddmm.mmmm) and the hemisphere letter.
struct Angle {
  int Degrees;
  double Minutes;
  char Hemisphere;
};

Angle ToAngle(double value, char positive, char negative, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double magnitude = std::fabs(value);
  int degrees = static_cast<int>(magnitude);
  double minutes = std::round((magnitude - degrees) * 60.0 * scale) / scale;
  if (minutes >= 60.0) {
    ++degrees;
    minutes = 0.0;
  }
  return {degrees, minutes, value < 0 ? negative : positive};
}

// One $..GSA: the satellites used, in 12 fields, and the three dilutions.
void WriteGsa(Output& out, std::string_view talker, const Satellite* used, int count, double hdop) {
  int length = std::snprintf(out.Line, sizeof out.Line, "$%.2sGSA,A,3,", talker.data());
  for (int i = 0; i < 12; ++i) {
    length += i < count ? std::snprintf(out.Line + length, sizeof out.Line - length, "%02d,", used[i].Prn)
                        : std::snprintf(out.Line + length, sizeof out.Line - length, ",");
  }
  out.Sentence(length + std::snprintf(out.Line + length, sizeof out.Line - length, "%.1f,%.1f,%.1f", hdop + 0.8,
                                      hdop, 1.1 + hdop * 0.5));
}

void WriteGsv(Output& out, std::string_view talker, const Satellite* inView, int count) {
  const int parts = (count + 3) / 4;
  for (int part = 0; part < parts; ++part) {
    int length = std::snprintf(out.Line, sizeof out.Line, "$%.2sGSV,%d,%d,%02d", talker.data(), parts, part + 1, count);
    for (int i = part * 4; i < part * 4 + 4 && i < count; ++i) {
      const Satellite& s = inView[i];
      length += std::snprintf(out.Line + length, sizeof out.Line - length, ",%02d,%02d,%03d,%02d", s.Prn,
                              s.Elevation, s.Azimuth, s.Snr);
    }
    out.Sentence(length);
  }
}

void WriteEpoch(Output& out, const Vehicle& v, Layout layout) {
  const bool real = layout == Layout::Real;
  const std::string_view talker = real ? "GN" : "GP";
  const long day = v.Second / 86400;
  const long secondOfDay = v.Second % 86400;
  char time[16];
  std::snprintf(time, sizeof time, real ? "%02ld%02ld%02ld.00" : "%02ld%02ld%02ld.000", secondOfDay / 3600,
                secondOfDay / 60 % 60, secondOfDay % 60);
  const int decimals = real ? 5 : 4;
  const Angle lat = ToAngle(v.Latitude, 'N', 'S', decimals);
  const Angle lon = ToAngle(v.Longitude, 'E', 'W', decimals);
  char position[48];
  std::snprintf(position, sizeof position, "%02d%0*.*f,%c,%03d%0*.*f,%c", lat.Degrees, decimals + 3, decimals,
                lat.Minutes, lat.Hemisphere, lon.Degrees, decimals + 3, decimals, lon.Minutes, lon.Hemisphere);
  const int used = v.UsedCount + (real ? v.GlonassUsed : 0);
  const double hdop = 0.7 + (12 - v.UsedCount) * 0.15;

  out.Sentence(std::snprintf(out.Line, sizeof out.Line, real ? "$%.2sGGA,%s,%s,1,%02d,%.2f,%.1f,M,46.9,M,,"
                                                             : "$%.2sGGA,%s,%s,1,%02d,%.1f,%.1f,M,46.9,M,,",
                             talker.data(), time, position, used, hdop, v.Altitude));
  WriteGsa(out, talker, v.InView, v.UsedCount, hdop);
  if (real) WriteGsa(out, talker, v.Glonass, v.GlonassUsed, hdop);
  WriteGsv(out, "GP", v.InView, 12);
  if (real) WriteGsv(out, "GL", v.Glonass, 8);

  const double knots = v.SpeedKmh / 1.852;
  const long date = day % 28 + 1;
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$%.2sRMC,%s,A,%s,%06.2f,%06.2f,%02ld0426,,,A",
                             talker.data(), time, position, knots, v.Heading, date));
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$%.2sVTG,%05.1f,T,%05.1f,M,%05.1f,N,%05.1f,K,A",
                             talker.data(), v.Heading, std::fmod(v.Heading + 357.8, 360.0), knots, v.SpeedKmh));
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$%.2sGLL,%s,%s,A,A", talker.data(), position, time));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view layoutName = argc == 4 ? argv[3] : "exact";
  if ((argc != 3 && argc != 4) || (layoutName != "exact" && layoutName != "real")) {
    std::fprintf(stderr, "usage: make_log MEGABYTES FILE [exact|real]\n");
    return 2;
  }
  const Layout layout = layoutName == "real" ? Layout::Real : Layout::Exact;
  const long megabytes = std::strtol(argv[1], nullptr, 10);
  if (megabytes <= 0) {
    std::fprintf(stderr, "make_log: the size must be a positive number of megabytes\n");
    return 2;
  }
  Output out{std::fopen(argv[2], "wb"), {}};
  if (out.File == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  static char buffer[1 << 20];
  std::setvbuf(out.File, buffer, _IOFBF, sizeof buffer);

  Random random;
  Vehicle vehicle;
  for (int i = 0; i < 12; ++i) {
    vehicle.InView[i] = {i * 2 + 3, random.Integer(5, 85), random.Integer(0, 359), random.Integer(20, 45)};
  }
  for (int i = 0; layout == Layout::Real && i < 8; ++i) {
    vehicle.Glonass[i] = {65 + i * 3, random.Integer(5, 85), random.Integer(0, 359), random.Integer(20, 45)};
  }
  const long long target = megabytes * 1000000LL;
  while (std::ftell(out.File) < target) {
    WriteEpoch(out, vehicle, layout);
    Move(vehicle, random, layout);
  }
  if (std::fclose(out.File) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
