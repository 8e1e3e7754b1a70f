#include "conversion/formats/pushpin_output.hpp"

#include <algorithm>
#include <cmath>

#include "conversion/constants.hpp"
#include "conversion/formats/number_fields.hpp"
#include "conversion/formats/track_writer.hpp"
#include "text/inline_text.hpp"
#include "text/text_utilities.hpp"

namespace conversion {

namespace {

// Whole seconds, truncated toward zero; a value too large for any field stays too large.
long long WholeSeconds(float seconds) {
  constexpr float Limit = 1e15f;
  return static_cast<long long>(std::clamp(std::trunc(seconds), -Limit, Limit));
}

// One record, built in place and handed over whole: many small appends to
// the caller's buffer would cost more than the numbers themselves.
using RecordText = text::InlineText<512>;  // far more than the longest record

// Puts the pieces of a record one after the other into its text. Unchecked,
// as no record comes near the text's capacity: a check per piece costs a
// twentieth of the whole conversion.
struct RecordCursor {
  char* Next;

  void Put(char c) { *Next++ = c; }
  void Put(std::string_view text) { Next = std::copy(text.begin(), text.end(), Next); }
};

}  // namespace

void WritePushpinHeader(NumberStyle style, std::string& out) {
  out += style == NumberStyle::Continental ? "Name\tLatitude\tLongitude\tInformation\r\n"
                                           : "  Name, Latitude,  Longitude, Information\r\n";
}

void WritePushpinRecord(long long n, NumberStyle style, bool speedAvailable, const FixState& fix, std::string& out) {
  const bool continental = style == NumberStyle::Continental;
  const char separator = continental ? '\t' : ',';
  RecordText record;
  RecordCursor line{record.End()};
  // English numbers stand right-justified in their fields; Continental ones
  // move to the left, keeping their trailing blanks where the field is inside a text.
  auto putNumber = [&](float value, int width, int decimals, bool trimmed) {
    if (!continental) {
      line.Next = WriteFixed(line.Next, value, width, decimals);
      return;
    }
    const FieldText number = ContinentalNumber(value, width, decimals);
    line.Put(trimmed ? text::TrimTrailing(number.View()) : number.View());
  };

  line.Put("Pt");
  line.Next = WriteWithoutBlanks(line.Next, 8, [n](char* out, int width) { return WriteInteger(out, n, width); });
  line.Put(separator);
  putNumber(Latitude(fix), 10, 4, true);
  line.Put(separator);
  putNumber(Longitude(fix), 10, 4, true);
  line.Put(separator);

  line.Put("\"Time: ");
  line.Next = WriteZeroPadded(line.Next, fix.Hours, 2);
  line.Put(':');
  line.Next = WriteZeroPadded(line.Next, fix.Minutes, 2);
  line.Put(':');
  line.Next = WriteZeroPadded(line.Next, WholeSeconds(fix.Seconds), 2);

  if (speedAvailable) {
    line.Put("\rSpeed (mph/kph): ");
    putNumber(fix.SpeedMph, 5, 1, false);
    line.Put('/');
    putNumber(fix.SpeedKmh, 5, 1, false);
    line.Put("\rCourse (true): ");
    putNumber(fix.Course, 6, 1, false);
  }

  // RMC and GLL sentences say no altitude: the line is left out, not 0.
  if (fix.Source == PositionSentence::Gga) {
    line.Put("\rAltitude (m): ");
    char* const altitude = line.Next;
    line.Next = WriteWithoutBlanks(line.Next, 8, [&fix](char* out, int width) { return WriteFixed(out, fix.Altitude, width, 1); });
    if (continental) std::replace(altitude, line.Next, '.', ',');
  }

  if (fix.SatelliteCount > 0) {
    line.Put("\rSatellites: ");
    const int listed = std::min(fix.SatelliteCount, SatelliteSlots);
    for (int slot = 0; slot < listed; ++slot)
      line.Next = WriteInteger(line.Next, fix.SatellitePrns[static_cast<std::size_t>(slot)], 3);
  }
  line.Put("\"\r\n");
  record.SetEnd(line.Next);
  out += record.View();
}

namespace {

// The fix's time of day in the zone; as it was when the zone's offset needs
// a day the record lacks.
bool TakeZone(const TimeZone& zone, const std::optional<long long>& day, FixState& fix) {
  const std::optional<double> seconds = SecondsOfDay(fix);
  if (!seconds) return true;
  const std::optional<ZonedTime> zoned = InZone(zone, day, *seconds);
  if (!zoned) return false;
  const auto whole = static_cast<int>(zoned->SecondsOfDay);
  fix.Hours = whole / 3600;
  fix.Minutes = whole / 60 % 60;
  fix.Seconds = static_cast<float>(zoned->SecondsOfDay - whole / 60 * 60);
  return true;
}

class PushpinWriter final : public TrackWriter {
 public:
  PushpinWriter(NumberStyle style, TimeZone zone) : style_(style), zone_(std::move(zone)) {}

  bool NeedsDays() const override { return zone_.NeedsDate(); }
  bool OwnSecondMotion() const override { return false; }
  bool Header(std::string& out) override {
    WritePushpinHeader(style_, out);
    return true;
  }
  void Record(const TrackRecord& record, std::string& out) override {
    if (zone_.IsUtc()) {
      WritePushpinRecord(record.Number, style_, record.CourseSentenceSeen, record.Fix, out);
      return;
    }
    FixState fix = record.Fix;
    if (!TakeZone(zone_, record.Day, fix)) ++utcTimes_;
    WritePushpinRecord(record.Number, style_, record.CourseSentenceSeen, fix, out);
  }
  bool Finish(std::string&, OutputFile&) override { return true; }
  long long UtcTimes() const override { return utcTimes_; }

 private:
  NumberStyle style_;
  TimeZone zone_;
  long long utcTimes_ = 0;
};

}  // namespace

std::unique_ptr<TrackWriter> MakePushpinWriter(const WriterSettings& settings) {
  return std::make_unique<PushpinWriter>(settings.Style, settings.Zone);
}

}  // namespace conversion
