#include "conversion/sentence_decoding.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "conversion/log_line.hpp"
#include "conversion/number_reading.hpp"

namespace conversion {

namespace {

std::string_view Decoded(std::string_view line) { return line.substr(0, LogLineLength); }

// Walks a line by fixed columns. A numeric item that meets a comma ends there,
// so a short field keeps the later columns in place; a long one shifts them.
struct ColumnCursor {
  std::string_view Line;
  std::size_t Position = 0;
  bool WellFormed = true;

  void Skip(std::size_t width) { Position += width; }

  char Character() {
    const char c = Position < Line.size() ? Line[Position] : ' ';
    ++Position;
    return c;
  }

  std::string_view NumericField(std::size_t width) {
    const std::size_t start = std::min(Position, Line.size());
    const std::size_t stop = std::min(Position + width, Line.size());
    for (std::size_t i = start; i < stop; ++i) {
      if (Line[i] == ',') {
        Position = i + 1;
        return Line.substr(start, i - start);
      }
    }
    Position += width;
    return Line.substr(start, stop - start);
  }

  int Integer(std::size_t width) {
    int value = 0;
    WellFormed = ReadInteger(NumericField(width), value) && WellFormed;
    return value;
  }

  float Real(std::size_t width) {
    float value = 0;
    WellFormed = ReadReal(NumericField(width), value) && WellFormed;
    return value;
  }
};

constexpr std::size_t AltitudeColumn = 52;

bool ReadByColumns(std::string_view line, GgaValues& gga) {
  ColumnCursor cursor{line};
  cursor.Skip(7);
  gga.Hours = cursor.Integer(2);
  gga.Minutes = cursor.Integer(2);
  gga.Seconds = cursor.Real(6);
  cursor.Skip(1);
  gga.LatDegrees = cursor.Integer(2);
  gga.LatMinutes = cursor.Real(7);
  cursor.Skip(1);
  gga.LatHemisphere = cursor.Character();
  cursor.Skip(1);
  gga.LonDegrees = cursor.Integer(3);
  gga.LonMinutes = cursor.Real(7);
  cursor.Skip(1);
  gga.LonHemisphere = cursor.Character();
  cursor.Skip(3);  // comma, fix quality, comma: a sentence without a fix is read all the same
  gga.SatellitesInUse = cursor.Integer(2);
  cursor.Skip(5);
  gga.Altitude = cursor.Real(5);
  return cursor.WellFormed;
}

// Nearly every receiver writes the columns up to the satellites in use with
// plain digits, as below ('9' a digit, '?' any character). Such a line gives
// the same values by columns; reading it here in one pass saves much of the
// time its decoding takes.
constexpr std::string_view PlainColumns = "???????999999.999,9999.9999,?,99999.9999,?,?,99";

// The columns above, tested eight at a time: in each word of eight bytes the
// literal characters must match and the digit places must hold '0' to '9'.
struct ColumnWord {
  std::uint64_t Literals = 0;
  std::uint64_t LiteralPlaces = 0;
  std::uint64_t DigitPlaces = 0;
};
constexpr std::size_t PlainWords = (PlainColumns.size() + 7) / 8;

constexpr std::array<ColumnWord, PlainWords> PlainColumnWords = [] {
  std::array<ColumnWord, PlainWords> words;
  for (std::size_t w = 0; w < PlainWords; ++w) {
    std::array<unsigned char, 8> literals{}, literalPlaces{}, digitPlaces{};
    for (std::size_t i = 0; i < 8; ++i) {
      const char c = 8 * w + i < PlainColumns.size() ? PlainColumns[8 * w + i] : '?';
      if (c == '9') {
        digitPlaces[i] = 0x80;
      } else if (c != '?') {
        literals[i] = static_cast<unsigned char>(c);
        literalPlaces[i] = 0xFF;
      }
    }
    words[w] = {std::bit_cast<std::uint64_t>(literals), std::bit_cast<std::uint64_t>(literalPlaces),
                std::bit_cast<std::uint64_t>(digitPlaces)};
  }
  return words;
}();

bool HasPlainColumns(std::string_view line) {
  if (line.size() < 8 * PlainWords) return false;
  constexpr std::uint64_t Zeros = 0x3030303030303030;
  constexpr std::uint64_t AboveNine = 0x7676767676767676;  // a byte above 9 gets its top bit
  std::uint64_t wrong = 0;
  for (std::size_t w = 0; w < PlainWords; ++w) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + 8 * w, 8);
    const std::uint64_t digits = word ^ Zeros;
    // A carry out of a byte can only set more top bits, so a non-digit is
    // never missed; at worst a line takes the slower way.
    wrong |= ((word ^ PlainColumnWords[w].Literals) & PlainColumnWords[w].LiteralPlaces) |
             (((digits + AboveNine) | digits) & PlainColumnWords[w].DigitPlaces);
  }
  return wrong == 0;
}

bool ReadPlainColumns(std::string_view line, GgaValues& gga) {
  if (!HasPlainColumns(line)) return false;
  auto digits = [line](std::size_t first, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = first; i < first + count; ++i) value = value * 10 + static_cast<std::uint32_t>(line[i] - '0');
    return value;
  };
  gga.Hours = static_cast<int>(digits(7, 2));
  gga.Minutes = static_cast<int>(digits(9, 2));
  gga.Seconds = DecimalValue(digits(11, 2) * 1000 + digits(14, 3), 3);
  gga.LatDegrees = static_cast<int>(digits(18, 2));
  gga.LatMinutes = DecimalValue(digits(20, 2) * 10000 + digits(23, 4), 4);
  gga.LatHemisphere = line[28];
  gga.LonDegrees = static_cast<int>(digits(30, 3));
  gga.LonMinutes = DecimalValue(digits(33, 2) * 10000 + digits(36, 4), 4);
  gga.LonHemisphere = line[41];
  gga.SatellitesInUse = static_cast<int>(digits(45, 2));
  ColumnCursor altitude{line, AltitudeColumn};
  gga.Altitude = altitude.Real(5);
  return altitude.WellFormed;
}

}  // namespace

// $GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47
bool ReadGga(std::string_view line, GgaValues& gga) {
  const std::string_view text = Decoded(line);
  return ReadPlainColumns(text, gga) || ReadByColumns(text, gga);
}

bool IsReadableGga(std::string_view line) {
  const std::string_view text = Decoded(line);
  if (HasPlainColumns(text)) {
    ColumnCursor altitude{text, AltitudeColumn};
    altitude.Real(5);
    if (altitude.WellFormed) return true;
  }
  GgaValues unused;
  return ReadByColumns(text, unused);
}

void ApplyGga(const GgaValues& gga, GgaForm form, FixState& fix) {
  static_cast<GgaFix&>(fix) = gga;
  if (form == GgaForm::Final) fix.SatelliteCount = gga.SatellitesInUse;
}

bool DecodeGga(std::string_view line, GgaForm form, FixState& fix) {
  GgaValues gga;
  if (!ReadGga(line, gga)) return false;
  ApplyGga(gga, form, fix);
  return true;
}

namespace {

constexpr std::size_t FirstSatelliteColumn = 11;

// The list as receivers write it: twelve fields of plain digits, empty or
// not, each but the last ended by a comma. Read in one pass; anything else
// (blanks, signs, a "/", a short list, a malformed field) is left to the
// list reading below, which gives the same slots for such a line.
bool ReadPlainSatellites(std::string_view text, std::array<int, SatelliteSlots>& prns) {
  constexpr std::size_t MostDigits = 9;  // still an int
  std::size_t position = FirstSatelliteColumn;
  for (std::size_t slot = 0; slot < prns.size(); ++slot) {
    const std::size_t start = position;
    int value = 0;
    for (; position < text.size() && number_reading::IsDigit(text[position]); ++position) {
      if (position - start == MostDigits) return false;
      value = value * 10 + (text[position] - '0');
    }
    prns[slot] = value;
    const bool last = slot + 1 == prns.size();
    if (position < text.size() && text[position] == ',') ++position;
    else if (!last || position < text.size()) return false;
  }
  return true;
}

// Commas (with blanks around them) or blanks separate values, an empty field
// between two commas leaves its slot 0, a "/" ends the list, and so does the
// end of the line. The dilutions after the 12th slot are never read.
bool ReadSatelliteList(std::string_view text, std::array<int, SatelliteSlots>& prns) {
  prns.fill(0);
  std::size_t position = FirstSatelliteColumn;
  auto skipBlanks = [&] {
    while (position < text.size() && text[position] == ' ') ++position;
  };
  for (std::size_t slot = 0; slot < prns.size();) {
    skipBlanks();
    if (position >= text.size() || text[position] == '/') break;
    if (text[position] == ',') {
      ++position;
      ++slot;
      continue;
    }
    const std::size_t start = position;
    while (position < text.size() && text[position] != ',' && text[position] != ' ' && text[position] != '/')
      ++position;
    if (!ReadInteger(text.substr(start, position - start), prns[slot])) return false;
    ++slot;
    skipBlanks();
    if (position < text.size() && text[position] == ',') ++position;
  }
  return true;
}

}  // namespace

// $GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39
bool DecodeGsa(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  std::array<int, SatelliteSlots> prns;
  if (!ReadPlainSatellites(text, prns) && !ReadSatelliteList(text, prns)) return false;
  fix.SatellitePrns = prns;
  fix.SatelliteCount = static_cast<int>(std::count_if(prns.begin(), prns.end(), [](int prn) { return prn != 0; }));
  return true;
}

namespace {

// Where the field after the n-th comma from `position` on begins; npos when
// there are fewer commas.
std::size_t AfterComma(std::string_view text, int n, std::size_t position) {
  for (int commas = 0; commas < n;) {
    if (position >= text.size()) return std::string_view::npos;
    if (text[position++] == ',') ++commas;
  }
  return position;
}

// The number that begins there: leading blanks skipped, ended by a comma, a
// blank, a "/" or the end of the text; 0 when it is not a number.
float FreeFormNumber(std::string_view text, std::size_t position) {
  if (position == std::string_view::npos) return 0;
  // Nearly always digits with at most one point, ended by a comma: read in
  // one pass, with the value ReadReal gives for them.
  std::uint32_t mantissa = 0;
  int digits = 0;
  int fractionDigits = 0;
  bool point = false;
  std::size_t end = position;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (number_reading::IsDigit(c)) {
      mantissa = mantissa * 10 + static_cast<std::uint32_t>(c - '0');
      ++digits;
      fractionDigits += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  constexpr int MostPlainDigits = 7;  // below 2^24, as DecimalValue needs
  if (digits > 0 && digits <= MostPlainDigits && (end == text.size() || text[end] == ','))
    return DecimalValue(mantissa, fractionDigits);
  while (position < text.size() && text[position] == ' ') ++position;
  end = position;
  while (end < text.size() && text[end] != ',' && text[end] != ' ' && text[end] != '/') ++end;
  float value = 0;
  return ReadReal(text.substr(position, end - position), value) ? value : 0;
}

}  // namespace

// $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48
void DecodeVtg(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  const std::size_t course = AfterComma(text, 1, 0);
  fix.Course = FreeFormNumber(text, course);
  // The speed in km/h follows the 7th comma; the knots and unit letters are not used.
  fix.SpeedKmh = FreeFormNumber(text, course == std::string_view::npos ? course : AfterComma(text, 6, course));
  fix.SpeedMph = fix.SpeedKmh * 0.621f;
}

float CommaFieldValue(std::string_view text, int n) {
  return n < 1 ? 0 : FreeFormNumber(text, AfterComma(text, n, 0));
}

}  // namespace conversion
