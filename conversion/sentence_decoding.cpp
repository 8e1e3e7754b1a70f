#include "conversion/sentence_decoding.hpp"

#include <algorithm>
#include <array>

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

}  // namespace

// $GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47
bool DecodeGga(std::string_view line, GgaForm form, FixState& fix) {
  ColumnCursor cursor{Decoded(line)};
  cursor.Skip(7);
  const int hours = cursor.Integer(2);
  const int minutes = cursor.Integer(2);
  const float seconds = cursor.Real(6);
  cursor.Skip(1);
  const int latDegrees = cursor.Integer(2);
  const float latMinutes = cursor.Real(7);
  cursor.Skip(1);
  const char latHemisphere = cursor.Character();
  cursor.Skip(1);
  const int lonDegrees = cursor.Integer(3);
  const float lonMinutes = cursor.Real(7);
  cursor.Skip(1);
  const char lonHemisphere = cursor.Character();
  cursor.Skip(3);  // comma, fix quality, comma: a sentence without a fix is read all the same
  const int satellitesInUse = cursor.Integer(2);
  cursor.Skip(5);
  const float altitude = cursor.Real(5);
  if (!cursor.WellFormed) return false;

  fix.Hours = hours;
  fix.Minutes = minutes;
  fix.Seconds = seconds;
  fix.LatDegrees = latDegrees;
  fix.LatMinutes = latMinutes;
  fix.LatHemisphere = latHemisphere;
  fix.LonDegrees = lonDegrees;
  fix.LonMinutes = lonMinutes;
  fix.LonHemisphere = lonHemisphere;
  fix.Altitude = altitude;
  if (form == GgaForm::Final) fix.SatelliteCount = satellitesInUse;
  return true;
}

// $GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39
// Read as a list: commas (with blanks around them) or blanks separate values,
// an empty field between two commas leaves its slot 0, a "/" ends the list, and
// so does the end of the line. The dilutions after the 12th slot are never read.
bool DecodeGsa(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  std::array<int, SatelliteSlots> prns{};
  std::size_t position = 11;
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

  fix.SatellitePrns = prns;
  fix.SatelliteCount = static_cast<int>(std::count_if(prns.begin(), prns.end(), [](int prn) { return prn != 0; }));
  return true;
}

// $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48
void DecodeVtg(std::string_view line, FixState& fix) {
  const std::string_view text = Decoded(line);
  fix.Course = CommaFieldValue(text, 1);
  fix.SpeedKmh = CommaFieldValue(text, 7);
  fix.SpeedMph = fix.SpeedKmh * 0.621f;
}

float CommaFieldValue(std::string_view text, int n) {
  if (n < 1) return 0;
  std::size_t position = 0;
  for (int commas = 0; commas < n;) {
    if (position == text.size()) return 0;
    if (text[position++] == ',') ++commas;
  }
  while (position < text.size() && text[position] == ' ') ++position;
  std::size_t end = position;
  while (end < text.size() && text[end] != ',' && text[end] != ' ' && text[end] != '/') ++end;
  float value = 0;
  return ReadReal(text.substr(position, end - position), value) ? value : 0;
}

}  // namespace conversion
