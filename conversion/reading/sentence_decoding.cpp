#include "conversion/reading/sentence_decoding.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "conversion/constants.hpp"
#include "conversion/reading/comma_fields.hpp"
#include "conversion/reading/number_reading.hpp"

namespace conversion {

namespace {

std::string_view Decoded(std::string_view line) { return line.substr(0, LogLineLength); }

// The sentence without its checksum: "*" ends the last field.
std::string_view WithoutChecksum(std::string_view text) { return text.substr(0, text.find('*')); }

// hhmmss with any number of decimals of seconds; an empty field is midnight.
bool ReadTime(std::string_view field, GgaFix& gga) {
  if (field.empty()) return true;
  if (field.size() < 4) return false;
  return ReadInteger(field.substr(0, 2), gga.Hours) && ReadInteger(field.substr(2, 2), gga.Minutes) &&
         ReadReal(field.substr(4), gga.Seconds);
}

// ddmm.mmmm or dddmm.mmmm with any number of decimals: the minutes are the
// two characters before the point and what follows it, the degrees whatever
// precedes them. The cut is made on the field as written, blanks counted.
bool ReadAngle(std::string_view field, int& degrees, float& minutes) {
  const std::size_t point = std::min(field.find('.'), field.size());
  const std::size_t cut = point - std::min<std::size_t>(point, 2);
  return ReadInteger(field.substr(0, cut), degrees) && ReadReal(field.substr(cut), minutes);
}

char Hemisphere(std::string_view field) { return field.empty() ? ' ' : field.front(); }

// A field of blanks reads as 0 like an empty one, and gives no more.
bool Given(std::string_view field) { return field.find_first_not_of(' ') != std::string_view::npos; }

template <std::size_t Count>
bool HasPosition(const std::array<std::string_view, Count>& fields) {
  return !fields[2].empty() && !fields[4].empty();
}

// Fields: 1 time, 2 and 3 latitude, 4 and 5 longitude, 6 fix quality, 7
// satellites in use, 9 altitude. The dilution (8) plays no part.
bool ReadFields(std::string_view text, GgaValues& gga) {
  const auto fields = CommaFields<10>(WithoutChecksum(text));
  if (!HasPosition(fields)) return false;
  gga.LatHemisphere = Hemisphere(fields[3]);
  gga.LonHemisphere = Hemisphere(fields[5]);
  gga.Quality = fields[6].empty() ? ' ' : fields[6].front();
  gga.TimeGiven = Given(fields[1]);
  gga.AltitudeGiven = Given(fields[9]);
  return ReadTime(fields[1], gga) && ReadAngle(fields[2], gga.LatDegrees, gga.LatMinutes) &&
         ReadAngle(fields[4], gga.LonDegrees, gga.LonMinutes) && ReadInteger(fields[7], gga.SatellitesInUse) &&
         ReadReal(fields[9], gga.Altitude);
}

// Sentences as receivers write them, read field after field in one pass: the
// numbers plain digits, with at most one point, in any number; anything else
// (blanks, signs, exponents, missing fields, more digits than a float holds
// exactly) gives up, and the reading by fields decides. Where it reads, it
// gives what that reading gives, bit for bit.
class PlainScan {
 public:
  PlainScan(std::string_view text, std::size_t at) : text_(text), at_(at) {}

  // Past the rest of the field and the comma that ends it.
  bool NextField() {
    std::size_t at = at_;
    while (at < text_.size() && text_[at] != ',' && text_[at] != '*') ++at;
    at_ = at;
    return Comma();
  }

  // An empty time is midnight; hhmm with any seconds is a time.
  bool Time(GgaFix& gga) {
    const Number time = Scan();
    if (!time.Fits) return false;
    gga.TimeGiven = time.Whole > 0 || time.Point;
    if (time.Whole == 0 && !time.Point) return Comma();
    if (time.Whole < 4) return false;
    const std::uint64_t seconds = PowerOfTen(time.Whole - 4);
    gga.Hours = static_cast<int>(time.WholeValue / seconds / 100);
    gga.Minutes = static_cast<int>(time.WholeValue / seconds % 100);
    return Real(time, time.WholeValue % seconds, time.Whole - 4, gga.Seconds) && Comma();
  }

  // Degrees, then the two digits before the point and what follows as minutes.
  bool Angle(int& degrees, float& minutes) {
    const Number angle = Scan();
    if (!angle.Fits || angle.Whole < 2 || angle.Whole > 11) return false;
    degrees = static_cast<int>(angle.WholeValue / 100);
    return Real(angle, angle.WholeValue % 100, 2, minutes) && Comma();
  }

  // A hemisphere or the fix quality: the field's first character.
  bool Character(char& character) {
    character = FieldEnds() ? ' ' : text_[at_];
    return NextField();
  }

  bool Integer(int& value) {
    const Number number = Scan();
    if (!number.Fits || number.Point || number.Whole > 9) return false;
    value = static_cast<int>(number.WholeValue);
    return Comma();
  }

  // The last field read: it may end the sentence.
  bool LastReal(float& value, bool& given) {
    const bool negative = at_ < text_.size() && text_[at_] == '-';
    at_ += negative ? 1 : 0;
    const Number number = Scan();
    if (!number.Fits || (negative && number.Whole + number.Fraction == 0)) return false;
    given = negative || number.Whole > 0 || number.Point;
    if (!Real(number, number.WholeValue, number.Whole, value)) return false;
    value = negative ? -value : value;
    return true;
  }

 private:
  // Digits with at most one point, their values kept as they are read (of
  // no more digits than a 64-bit number holds; more do not fit).
  struct Number {
    std::size_t Whole = 0;  // digits before the point, or all of them
    std::size_t Fraction = 0;
    std::uint64_t WholeValue = 0;
    std::uint64_t FractionValue = 0;
    bool Point = false;
    bool Fits = false;  // digits and a point alone, up to the field's end
  };

  static std::uint64_t PowerOfTen(std::size_t n) {
    static constexpr auto Powers = [] {
      std::array<std::uint64_t, 19> powers{};
      std::uint64_t power = 1;
      for (std::uint64_t& p : powers) p = std::exchange(power, power * 10);
      return powers;
    }();
    return Powers[n];
  }

  bool FieldEnds() const { return at_ == text_.size() || text_[at_] == ',' || text_[at_] == '*'; }
  bool Comma() {
    if (at_ == text_.size() || text_[at_] != ',') return false;
    ++at_;
    return true;
  }
  // The digits from here on: how many, and their value.
  std::size_t Digits(std::uint64_t& value) {
    // In locals: the compiler cannot tell the value from the position.
    std::size_t at = at_;
    std::uint64_t digits = 0;
    for (unsigned digit; at < text_.size() && (digit = static_cast<unsigned char>(text_[at]) - '0') < 10; ++at)
      digits = digits * 10 + digit;
    const std::size_t count = at - at_;
    at_ = at;
    value = digits;
    return count;
  }
  Number Scan() {
    Number number;
    number.Whole = Digits(number.WholeValue);
    number.Point = at_ < text_.size() && text_[at_] == '.';
    if (number.Point) {
      ++at_;
      number.Fraction = Digits(number.FractionValue);
    }
    number.Fits = FieldEnds() && number.Whole < 19 && number.Fraction < 19;
    return number;
  }
  // The number made of the last `digits` digits before its point (of value
  // `whole`) and all after it, as ReadReal reads it when it fits its quick
  // way: no digits at all is 0, a point alone no number.
  bool Real(const Number& number, std::uint64_t whole, std::size_t digits, float& value) const {
    if (digits + number.Fraction > 9 || number.Fraction >= number_reading::InversePowers.size()) return false;
    if (number.Point && digits + number.Fraction == 0) return false;
    const std::uint64_t mantissa = whole * PowerOfTen(number.Fraction) + number.FractionValue;
    if (mantissa >= number_reading::ExactFloatIntegers) return false;
    value = DecimalValue(mantissa, static_cast<int>(number.Fraction));
    return true;
  }

  std::string_view text_;
  std::size_t at_;
};

// Fields 1 to 9 as most receivers write them.
bool ReadPlainFields(std::string_view text, GgaValues& gga) {
  PlainScan scan(text, 0);
  return scan.NextField() && scan.Time(gga) && scan.Angle(gga.LatDegrees, gga.LatMinutes) &&
         scan.Character(gga.LatHemisphere) && scan.Angle(gga.LonDegrees, gga.LonMinutes) &&
         scan.Character(gga.LonHemisphere) && scan.Character(gga.Quality) && scan.Integer(gga.SatellitesInUse) &&
         scan.NextField() && scan.LastReal(gga.Altitude, gga.AltitudeGiven);
}

// Nearly every receiver writes the fields up to the satellites in use in one
// of two layouts: hhmmss.sss with ddmm.mmmm (GPS receivers), or hhmmss.ss
// with ddmm.mmmmm (most that receive several systems). Such a line is read
// by columns, its tail as above: the quickest way of all for the commonest
// sentence. The columns of a layout, as a pattern: '9' a digit, '?' any
// character but a comma or "*", '_' past the pattern, not looked at.
template <std::size_t TimeDecimals, std::size_t AngleDecimals>
struct GgaColumns {
  static constexpr std::size_t SecondDecimals = TimeDecimals;
  static constexpr std::size_t MinuteDecimals = AngleDecimals;
  static constexpr std::size_t Time = 7;
  static constexpr std::size_t Latitude = Time + 7 + TimeDecimals + 1;
  static constexpr std::size_t LatHemisphere = Latitude + 5 + AngleDecimals + 1;
  static constexpr std::size_t Longitude = LatHemisphere + 2;
  static constexpr std::size_t LonHemisphere = Longitude + 6 + AngleDecimals + 1;
  static constexpr std::size_t Quality = LonHemisphere + 2;
  static constexpr std::size_t Satellites = Quality + 2;
  static constexpr std::size_t End = Satellites + 3;  // at the dilution
  static constexpr std::size_t Words = (End + 7) / 8;
  static constexpr std::array<std::size_t, 9> FreeColumns = {0, 1, 2, 3, 4, 5, LatHemisphere, LonHemisphere, Quality};

  static constexpr std::array<char, 8 * Words> Pattern = [] {
    std::array<char, 8 * Words> pattern{};
    pattern.fill('_');
    std::size_t at = 0;
    auto put = [&](char c, std::size_t count) {
      for (; count > 0; --count) pattern[at++] = c;
    };
    put('?', 6);
    put(',', 1);
    put('9', 6);
    put('.', 1);
    put('9', TimeDecimals);
    put(',', 1);
    put('9', 4);
    put('.', 1);
    put('9', AngleDecimals);
    put(',', 1);
    put('?', 1);
    put(',', 1);
    put('9', 5);
    put('.', 1);
    put('9', AngleDecimals);
    for (const char c : {',', '?', ',', '?', ',', '9', '9', ','}) put(c, 1);
    return pattern;
  }();
  static_assert(Pattern[LatHemisphere] == '?' && Pattern[LonHemisphere] == '?' && Pattern[Quality] == '?' &&
                Pattern[End - 1] == ',');
};
using GpsColumns = GgaColumns<3, 4>;
using SeveralSystemsColumns = GgaColumns<2, 5>;

// The columns, tested eight at a time: in each word of eight bytes the
// literal characters must match and the digit places must hold '0' to '9'.
struct ColumnWord {
  std::uint64_t Literals = 0;
  std::uint64_t LiteralPlaces = 0;
  std::uint64_t DigitPlaces = 0;
};

template <typename Columns>
constexpr std::array<ColumnWord, Columns::Words> ColumnWords = [] {
  std::array<ColumnWord, Columns::Words> words;
  for (std::size_t w = 0; w < Columns::Words; ++w) {
    std::array<unsigned char, 8> literals{}, literalPlaces{}, digitPlaces{};
    for (std::size_t i = 0; i < 8; ++i) {
      const char c = Columns::Pattern[8 * w + i];
      if (c == '9') {
        digitPlaces[i] = 0x80;
      } else if (c != '?' && c != '_') {
        literals[i] = static_cast<unsigned char>(c);
        literalPlaces[i] = 0xFF;
      }
    }
    words[w] = {std::bit_cast<std::uint64_t>(literals), std::bit_cast<std::uint64_t>(literalPlaces),
                std::bit_cast<std::uint64_t>(digitPlaces)};
  }
  return words;
}();

template <typename Columns>
bool HasColumns(std::string_view line) {
  if (line.size() < 8 * Columns::Words) return false;
  constexpr std::uint64_t Zeros = 0x3030303030303030;
  constexpr std::uint64_t AboveNine = 0x7676767676767676;  // a byte above 9 gets its top bit
  std::uint64_t wrong = 0;
  for (std::size_t w = 0; w < Columns::Words; ++w) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + 8 * w, 8);
    const std::uint64_t digits = word ^ Zeros;
    const ColumnWord& columns = ColumnWords<Columns>[w];
    // A carry out of a byte can only set more top bits, so a non-digit is
    // never missed; at worst a line takes the slower way.
    wrong |= ((word ^ columns.Literals) & columns.LiteralPlaces) | (((digits + AboveNine) | digits) & columns.DigitPlaces);
  }
  for (const std::size_t column : Columns::FreeColumns) wrong |= line[column] == ',' || line[column] == '*';
  return wrong == 0;
}

template <typename Columns>
bool ReadColumns(std::string_view line, GgaValues& gga) {
  if (!HasColumns<Columns>(line)) return false;
  auto digits = [line](std::size_t first, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = first; i < first + count; ++i) value = value * 10 + static_cast<std::uint32_t>(line[i] - '0');
    return value;
  };
  constexpr std::size_t Time = Columns::Time;
  constexpr std::size_t Lat = Columns::Latitude;
  constexpr std::size_t Lon = Columns::Longitude;
  // The two digits of whole seconds or minutes at `whole`, then their
  // decimals after the point, as one mantissa.
  auto decimal = [&digits](std::size_t whole, std::size_t decimals) {
    std::uint32_t scale = 1;
    for (std::size_t i = 0; i < decimals; ++i) scale *= 10;
    return DecimalValue(digits(whole, 2) * scale + digits(whole + 3, decimals), static_cast<int>(decimals));
  };
  gga.Hours = static_cast<int>(digits(Time, 2));
  gga.Minutes = static_cast<int>(digits(Time + 2, 2));
  gga.Seconds = decimal(Time + 4, Columns::SecondDecimals);
  gga.LatDegrees = static_cast<int>(digits(Lat, 2));
  gga.LatMinutes = decimal(Lat + 2, Columns::MinuteDecimals);
  gga.LatHemisphere = line[Columns::LatHemisphere];
  gga.LonDegrees = static_cast<int>(digits(Lon, 3));
  gga.LonMinutes = decimal(Lon + 3, Columns::MinuteDecimals);
  gga.LonHemisphere = line[Columns::LonHemisphere];
  gga.Quality = line[Columns::Quality];
  gga.SatellitesInUse = static_cast<int>(digits(Columns::Satellites, 2));
  gga.TimeGiven = true;
  PlainScan scan(line, Columns::End);
  return scan.NextField() && scan.LastReal(gga.Altitude, gga.AltitudeGiven);
}

// The layout the line's time field shows, if any of the two.
bool ReadPlainColumns(std::string_view line, GgaValues& gga) {
  if (line.size() > 17 && line[17] == ',') return ReadColumns<GpsColumns>(line, gga);
  if (line.size() > 16 && line[16] == ',') return ReadColumns<SeveralSystemsColumns>(line, gga);
  return false;
}

}  // namespace

// $GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47
bool ReadGga(std::string_view line, GgaValues& gga) {
  const std::string_view text = Decoded(line);
  GgaValues read;
  // Each way from scratch, as one that gives up may have read some fields.
  bool readable = ReadPlainColumns(text, read);
  if (!readable) readable = ReadPlainFields(text, read = {});
  if (!readable) readable = ReadFields(text, read = {});
  if (!readable) return false;
  gga = read;
  return true;
}

bool ReadGgaByFields(std::string_view line, GgaValues& gga) {
  GgaValues read;
  if (!ReadFields(Decoded(line), read)) return false;
  gga = read;
  return true;
}

bool GgaHasPosition(std::string_view line) { return HasPosition(CommaFields<5>(WithoutChecksum(Decoded(line)))); }

namespace {

// The fields of an RMC or GLL sentence that a GGA also has, as its rules read them.
struct PositionFields {
  std::string_view Time;
  std::string_view Status;
  std::string_view Latitude;
  std::string_view LatHemisphere;
  std::string_view Longitude;
  std::string_view LonHemisphere;

  bool Fix() const { return Status == "A" && !Latitude.empty() && !Longitude.empty(); }
  bool Read(PositionSentence source, GgaValues& position) const {
    GgaValues read;
    read.Source = source;
    read.Quality = '1';  // only a fix is read
    read.LatHemisphere = Hemisphere(LatHemisphere);
    read.LonHemisphere = Hemisphere(LonHemisphere);
    read.TimeGiven = Given(Time);
    if (!Fix() || !ReadTime(Time, read) || !ReadAngle(Latitude, read.LatDegrees, read.LatMinutes) ||
        !ReadAngle(Longitude, read.LonDegrees, read.LonMinutes))
      return false;
    position = read;
    return true;
  }
};

// $GPRMC,194907.00,A,5241.99815,N,00517.56525,E,0.005,,010809,,,A*7B
// Fields: 1 time, 2 status, 3 and 4 latitude, 5 and 6 longitude, 7 speed
// over ground in knots and 8 course (DecodeRmcMotion's), 9 the date (the
// dates' reader's).
PositionFields RmcFields(std::string_view text) {
  const auto fields = CommaFields<7>(text);
  return {fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

// $ECGLL,5119.881,N,00125.169,E,164326,A,D*52
// Fields: 1 and 2 latitude, 3 and 4 longitude, 5 time, 6 status. Receivers
// of the oldest NMEA end the sentence after the longitude: without a status
// it is no fix.
PositionFields GllFields(std::string_view text) {
  const auto fields = CommaFields<7>(text);
  return {fields[5], fields[6], fields[1], fields[2], fields[3], fields[4]};
}

}  // namespace

bool HasFix(std::string_view line, PositionSentence sentence) {
  const std::string_view text = WithoutChecksum(Decoded(line));
  switch (sentence) {
    case PositionSentence::Rmc:
      return RmcFields(text).Fix();
    case PositionSentence::Gll:
      return GllFields(text).Fix();
    case PositionSentence::Gga:
      break;
  }
  return GgaHasPosition(line);
}

bool ReadRmc(std::string_view line, GgaValues& position) {
  return RmcFields(WithoutChecksum(Decoded(line))).Read(PositionSentence::Rmc, position);
}

bool ReadGll(std::string_view line, GgaValues& position) {
  return GllFields(WithoutChecksum(Decoded(line))).Read(PositionSentence::Gll, position);
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

// The value that starts at `position` of a free-form list: up to the next
// comma, blank or "/", or the end of the text.
std::string_view FreeFormValue(std::string_view text, std::size_t position) {
  std::size_t end = position;
  while (end < text.size() && text[end] != ',' && text[end] != ' ' && text[end] != '/') ++end;
  return text.substr(position, end - position);
}

// Commas (with blanks around them) or blanks separate values, an empty field
// between two commas leaves its slot 0, a "/" ends the list, and so does the
// end of the line. The dilutions after the 12th slot are never read.
bool ReadSatelliteList(std::string_view text, std::array<int, SatelliteSlots>& prns) {
  prns.fill(0);
  std::size_t slot = 0;
  bool valueBeforeComma = false;  // the next comma ends a field that held a value
  std::size_t position = FirstSatelliteColumn;
  // Most receivers write every number in two digits: taken a field at a
  // time, until something else comes.
  while (slot < prns.size() && position + 2 < text.size()) {
    if (text[position] == ',') {
      ++slot;
      ++position;
      continue;
    }
    const unsigned tens = static_cast<unsigned char>(text[position]) - '0';
    const unsigned ones = static_cast<unsigned char>(text[position + 1]) - '0';
    if (tens > 9 || ones > 9 || text[position + 2] != ',') break;
    prns[slot++] = static_cast<int>(tens * 10 + ones);
    position += 3;
  }
  for (; position < text.size() && slot < prns.size();) {
    const char c = text[position];
    if (c == '/') break;
    if (c == ',') {
      if (!valueBeforeComma) ++slot;
      valueBeforeComma = false;
      ++position;
    } else if (c == ' ') {
      ++position;
    } else {
      // Nearly every value is a few digits ended by a comma: read as it is passed.
      std::size_t end = position;
      int value = 0;
      for (; end < text.size() && number_reading::IsDigit(text[end]) && end - position < 9; ++end)
        value = value * 10 + (text[end] - '0');
      if (end > position && (end == text.size() || text[end] == ',')) {
        prns[slot] = value;
      } else {
        const std::string_view field = FreeFormValue(text, position);
        if (!ReadInteger(field, prns[slot])) return false;
        end = position + field.size();
      }
      position = end;
      ++slot;
      valueBeforeComma = true;
    }
  }
  return true;
}

}  // namespace

// $GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39
bool DecodeGsa(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  std::array<int, SatelliteSlots> prns;
  if (!ReadSatelliteList(text, prns)) return false;
  fix.SatellitePrns = prns;
  fix.SatelliteCount = static_cast<int>(std::count_if(prns.begin(), prns.end(), [](int prn) { return prn != 0; }));
  return true;
}

// $GNGSA,A,3,10,23,12,25,,,,,,,,,1.2,0.8,0.9*2B
// $GNGSA,A,3,71,72,86,,,,,,,,,,1.2,0.8,0.9*2E
bool PoolGsa(std::string_view line, bool startList, FixState& fix) {
  std::array<int, SatelliteSlots> prns;
  if (!ReadSatelliteList(Decoded(line), prns)) return false;
  if (startList) fix.SatellitePrns.fill(0);
  int count = startList ? 0 : std::clamp(fix.SatelliteCount, 0, SatelliteSlots);
  // The numbers listed, as bits: nearly all are below 256, and a search of
  // the list for each of a dozen costs more than the sentence's reading.
  std::array<std::uint64_t, 4> listedBelow256{};
  auto small = [](int prn) { return static_cast<unsigned>(prn) < 256; };
  auto bit = [](int prn) { return std::uint64_t{1} << (static_cast<unsigned>(prn) % 64); };
  for (int i = 0; i < count; ++i) {
    const int prn = fix.SatellitePrns[static_cast<std::size_t>(i)];
    if (small(prn)) listedBelow256[static_cast<unsigned>(prn) / 64] |= bit(prn);
  }
  for (const int prn : prns) {
    if (prn == 0 || count == SatelliteSlots) continue;
    const auto listed = fix.SatellitePrns.begin() + count;
    if (small(prn) ? (listedBelow256[static_cast<unsigned>(prn) / 64] & bit(prn)) != 0
                   : std::find(fix.SatellitePrns.begin(), listed, prn) != listed)
      continue;
    if (small(prn)) listedBelow256[static_cast<unsigned>(prn) / 64] |= bit(prn);
    fix.SatellitePrns[static_cast<std::size_t>(count++)] = prn;
  }
  fix.SatelliteCount = count;
  return true;
}

namespace {

// Where the text goes on after the n-th comma from `position`; npos when it has fewer.
// Eight characters at a time, as CommaFields: the fields are too short for a
// library search to pay for its start.
std::size_t AfterCommas(std::string_view text, std::size_t position, int n) {
  if (position == std::string_view::npos || n <= 0) return position;
  if constexpr (std::endian::native == std::endian::little) {
    for (; position + 8 <= text.size(); position += 8) {
      for (std::uint64_t found = comma_fields::CommaBits(text.data() + position); found != 0; found &= found - 1) {
        if (--n == 0) return position + static_cast<std::size_t>(std::countr_zero(found)) / 8 + 1;
      }
    }
  }
  for (; position < text.size(); ++position) {
    if (text[position] == ',' && --n == 0) return position + 1;
  }
  return std::string_view::npos;
}

// The number at `position` (npos: none), read in free form: after leading
// blanks, up to the next comma, blank, "/" or the end of the text.
std::optional<float> NumberAt(std::string_view text, std::size_t position) {
  if (position == std::string_view::npos) return std::nullopt;
  while (position < text.size() && text[position] == ' ') ++position;
  // Digits with at most one point, as nearly every receiver writes them, are
  // read as they are passed: few enough that ReadReal would take its quick
  // way, with the same result.
  std::uint32_t mantissa = 0;
  int digits = 0;
  std::size_t point = std::string_view::npos;
  std::size_t end = position;
  for (; end < text.size(); ++end) {
    const unsigned digit = static_cast<unsigned char>(text[end]) - '0';
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
      ++digits;
    } else if (text[end] == '.' && point == std::string_view::npos) {
      point = end;
    } else {
      break;
    }
  }
  if (digits > 0 && digits <= 7 && (end == text.size() || text[end] == ',' || text[end] == ' ' || text[end] == '/'))
    return DecimalValue(mantissa, point == std::string_view::npos ? 0 : static_cast<int>(end - point - 1));
  const std::string_view field = FreeFormValue(text, position);
  float value = 0;
  if (field.empty() || !ReadReal(field, value)) return std::nullopt;
  return value;
}

// A value not given is 0, and said not to be.
void SetMotion(const std::optional<float>& course, const std::optional<float>& kmh, FixState& fix) {
  fix.Course = course.value_or(0);
  fix.CourseGiven = course.has_value();
  fix.SpeedKmh = kmh.value_or(0);
  fix.SpeedGiven = kmh.has_value();
  fix.SpeedMph = fix.SpeedKmh * 0.621f;
}

}  // namespace

// $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48
void DecodeVtg(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  // One walk along the line for both fields.
  const std::size_t courseField = AfterCommas(text, 0, 1);
  const std::optional<float> course = NumberAt(text, courseField);
  // The speed in km/h; the knots and unit letters are not used.
  SetMotion(course, NumberAt(text, AfterCommas(text, courseField, 6)), fix);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
void DecodeRmcMotion(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  const std::size_t knotsField = AfterCommas(text, 0, 7);
  const std::optional<float> knots = NumberAt(text, knotsField);
  const std::optional<float> course = NumberAt(text, AfterCommas(text, knotsField, 1));
  // To the millimetre an hour: 2.11 knots is 3.90772 km/h, not the float
  // nearest to 2.11 times 1.852.
  const std::optional<float> kmh =
      knots ? std::optional(static_cast<float>(std::round(*knots * 1'852'000.0) / 1e6)) : std::nullopt;
  SetMotion(course, kmh, fix);
}

namespace {
// By table: the digits of checksums follow no pattern a branch could learn.
constexpr std::array<signed char, 256> HexValues = [] {
  std::array<signed char, 256> values{};
  values.fill(-1);
  for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 6; ++i) values['A' + i] = values['a' + i] = static_cast<signed char>(10 + i);
  return values;
}();
int HexValue(char c) { return HexValues[static_cast<unsigned char>(c)]; }
}  // namespace

bool ChecksumMatches(std::string_view line) {
  const std::string_view text = Decoded(line);
  if (text.size() < 4 || text[text.size() - 3] != '*') return true;
  const int high = HexValue(text[text.size() - 2]);
  const int low = HexValue(text[text.size() - 1]);
  // A checksum of characters that are no hexadecimal digits ("*zz") is no
  // checksum this sentence could have: wrong.
  if ((high | low) < 0) return false;
  // Many characters at a time: the exclusive or of the words' bytes is that of all.
  const std::size_t star = text.size() - 3;
  std::size_t i = 1;
  std::uint64_t sum = 0;
#if defined(__SSE2__)
  if (star - i >= 16) {
    auto sixteen = [&text](std::size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at)); };
    __m128i sums = _mm_setzero_si128();
    for (; star - i >= 16; i += 16) sums = _mm_xor_si128(sums, sixteen(i));
    // The rest as the last bytes of the sixteen that end at the "*".
    alignas(16) static constexpr unsigned char LastBytes[32] = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const __m128i rest = _mm_loadu_si128(reinterpret_cast<const __m128i*>(LastBytes + (star - i)));
    sums = _mm_xor_si128(sums, _mm_and_si128(sixteen(star - 16), rest));
    i = star;
    sum = static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) ^
          static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
#endif
  for (; star - i >= 8; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    sum ^= word;
  }
  for (; i < star; ++i) sum ^= static_cast<unsigned char>(text[i]);
  sum ^= sum >> 32;
  sum ^= sum >> 16;
  sum ^= sum >> 8;
  return (sum & 0xFF) == static_cast<std::uint64_t>(high * 16 + low);
}

std::optional<float> CommaFieldNumber(std::string_view text, int n) {
  if (n < 1) return std::nullopt;
  return NumberAt(text, AfterCommas(text, 0, n));
}

}  // namespace conversion
