// make_log: writes a deterministic track log for the throughput benchmark.
//
//   make_log MEGABYTES FILE
//
// One epoch per second, as a receiver in a moving car logs it: GGA, GSA,
// three GSV, RMC, VTG and GLL, each ended by CR LF and carrying a valid
// checksum. Speed, heading, altitude and the satellites in view drift from
// second to second, so the numbers vary as real ones do. The same arguments
// always give the same bytes.

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

struct Vehicle {
  double Latitude = 48.1173;  // degrees, north positive
  double Longitude = 11.5167;
  double Altitude = 545.4;  // metres
  double Heading = 54.7;    // degrees true
  double SpeedKmh = 40.0;
  long Second = 12 * 3600 + 35 * 60 + 19;  // UTC seconds since the first midnight
  int UsedCount = 8;
  Satellite InView[12];
};

double Clamp(double value, double low, double high) { return value < low ? low : value > high ? high : value; }

void Move(Vehicle& v, Random& random) {
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

Angle ToAngle(double value, char positive, char negative) {
  const double magnitude = std::fabs(value);
  int degrees = static_cast<int>(magnitude);
  double minutes = std::round((magnitude - degrees) * 60.0 * 10000.0) / 10000.0;
  if (minutes >= 60.0) {
    ++degrees;
    minutes = 0.0;
  }
  return {degrees, minutes, value < 0 ? negative : positive};
}

void WriteEpoch(Output& out, const Vehicle& v) {
  const long day = v.Second / 86400;
  const long secondOfDay = v.Second % 86400;
  char time[16];
  std::snprintf(time, sizeof time, "%02ld%02ld%02ld.000", secondOfDay / 3600, secondOfDay / 60 % 60,
                secondOfDay % 60);
  const Angle lat = ToAngle(v.Latitude, 'N', 'S');
  const Angle lon = ToAngle(v.Longitude, 'E', 'W');
  char position[40];
  std::snprintf(position, sizeof position, "%02d%07.4f,%c,%03d%07.4f,%c", lat.Degrees, lat.Minutes, lat.Hemisphere,
                lon.Degrees, lon.Minutes, lon.Hemisphere);
  const double hdop = 0.7 + (12 - v.UsedCount) * 0.15;

  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$GPGGA,%s,%s,1,%02d,%.1f,%.1f,M,46.9,M,,", time, position,
                             v.UsedCount, hdop, v.Altitude));

  int length = std::snprintf(out.Line, sizeof out.Line, "$GPGSA,A,3,");
  for (int i = 0; i < 12; ++i) {
    length += i < v.UsedCount ? std::snprintf(out.Line + length, sizeof out.Line - length, "%02d,", v.InView[i].Prn)
                              : std::snprintf(out.Line + length, sizeof out.Line - length, ",");
  }
  out.Sentence(length + std::snprintf(out.Line + length, sizeof out.Line - length, "%.1f,%.1f,%.1f", hdop + 0.8,
                                      hdop, 1.1 + hdop * 0.5));

  for (int part = 0; part < 3; ++part) {
    length = std::snprintf(out.Line, sizeof out.Line, "$GPGSV,3,%d,12", part + 1);
    for (int i = part * 4; i < part * 4 + 4; ++i) {
      const Satellite& s = v.InView[i];
      length += std::snprintf(out.Line + length, sizeof out.Line - length, ",%02d,%02d,%03d,%02d", s.Prn,
                              s.Elevation, s.Azimuth, s.Snr);
    }
    out.Sentence(length);
  }

  const double knots = v.SpeedKmh / 1.852;
  const long date = day % 28 + 1;
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$GPRMC,%s,A,%s,%06.2f,%06.2f,%02ld0426,,,A", time, position,
                             knots, v.Heading, date));
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$GPVTG,%05.1f,T,%05.1f,M,%05.1f,N,%05.1f,K,A", v.Heading,
                             std::fmod(v.Heading + 357.8, 360.0), knots, v.SpeedKmh));
  out.Sentence(std::snprintf(out.Line, sizeof out.Line, "$GPGLL,%s,%s,A,A", position, time));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_log MEGABYTES FILE\n");
    return 2;
  }
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
  const long long target = megabytes * 1000000LL;
  while (std::ftell(out.File) < target) {
    WriteEpoch(out, vehicle);
    Move(vehicle, random);
  }
  if (std::fclose(out.File) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
