#include "conversion/formats/track_picture.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/statistics_figures.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double EarthRadiusM = 6371008.8;

// The page: a map box, the scale bar and key beneath it, then the figures.
constexpr int PageWidth = 1000;
constexpr int PageHeight = 980;
constexpr double MapLeft = 20, MapTop = 70, MapWidth = 960, MapHeight = 680;
constexpr double MapInset = 24;  // the markers stay inside the box
// Shorter tracks are drawn as if they spanned this much, not blown up.
constexpr double SmallestSpanM = 100;
constexpr double HalfPixel = 0.5;
constexpr std::size_t FlushSize = std::size_t{1} << 20;

constexpr std::string_view PlainColour = "#4575b4";
// Slow to fast; neither the start's green nor the end's red.
constexpr std::array<std::string_view, 5> SpeedColours{"#313695", "#4575b4", "#74add1", "#fdae61", "#f46d43"};

struct SpooledPoint {
  std::int32_t LatitudeE7;
  std::int32_t LongitudeE7;
  float SpeedKmh;  // NaN when not logged
};
constexpr std::size_t SpooledSize = 12;

void Put(std::string& out, double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, std::round(value * 10) / 10 + 0.0,
                                 std::chars_format::fixed, 1).ptr;
  out.append(text, end);
}

template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

double MercatorY(double latitude) {
  const double phi = std::clamp(latitude, -85.0, 85.0) * Pi / 180;
  return std::log(std::tan(Pi / 4 + phi / 2));
}

// Degrees east of the box's west edge, across the antimeridian too. A
// point may lie a hair west of the edge, its degrees rounded for the spool.
double Eastwards(double longitude, double west) {
  const double d = longitude - west;
  return d < -180 ? d + 360 : d;
}

// Beyond this latitude Mercator stretches a track out of all measure (and
// cannot reach the pole): the track is drawn on a polar projection.
constexpr double PolarLatitude = 80;

// From degrees to the page's pixels, scaled to fit the map box: Mercator,
// or near a pole the polar stereographic projection centred on it, the
// box's middle meridian straight up the page. Both are conformal, so a
// local track keeps its shape; the plane's units are the Earth's radius,
// y downwards.
struct Projection {
  bool Polar = false;
  double Pole = 1;  // 1 north, -1 south
  double West = 0;
  double Central = 0;   // the middle meridian of a polar projection
  double LeftX = 0;     // the plane's x at the picture's left edge
  double TopY = 0;      // and its y at the top edge
  double Scale = 1;     // pixels per unit of the plane
  double MetresPerPixel = 1;

  explicit Projection(const BoundingBox& box) : West(box.West) {
    Polar = box.North > PolarLatitude || box.South < -PolarLatitude;
    Pole = box.North > PolarLatitude && box.North >= -box.South ? 1 : -1;
    Central = West + Eastwards(box.East, box.West) / 2;
    const double middle = (box.South + box.North) / 2;
    // Ground metres per unit of the plane at the middle latitude.
    const double metresPerUnit =
        Polar ? EarthRadiusM * (1 + std::sin(std::abs(middle) * Pi / 180)) / 2 : EarthRadiusM * std::cos(middle * Pi / 180);
    // The plane's extent of the box: its edges, walked.
    double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    constexpr int Steps = 64;
    for (int i = 0; i <= Steps; ++i) {
      const double longitude = West + Eastwards(box.East, box.West) * i / Steps;
      for (const double latitude : {box.South, box.North}) {
        const auto [x, y] = Plane(latitude, longitude);
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    const double smallest = SmallestSpanM / metresPerUnit;
    const double spanX = std::max(right - left, smallest);
    const double spanY = std::max(bottom - top, smallest);
    const double width = MapWidth - 2 * MapInset, height = MapHeight - 2 * MapInset;
    Scale = std::min(width / spanX, height / spanY);
    LeftX = (left + right) / 2 - (MapWidth / 2) / Scale;
    TopY = (top + bottom) / 2 - (MapHeight / 2) / Scale;
    MetresPerPixel = metresPerUnit / Scale;
  }
  std::array<double, 2> Plane(double latitude, double longitude) const {
    if (!Polar) return {Eastwards(longitude, West) * Pi / 180, -MercatorY(latitude)};
    // From the pole: rho = 2 tan(45 degrees - |latitude| / 2) on the pole's side.
    const double rho = 2 * std::tan(Pi / 4 - Pole * latitude * Pi / 360);
    const double turn = (longitude - Central) * Pi / 180;
    return {rho * std::sin(turn), rho * std::cos(turn) * Pole};
  }
  std::array<double, 2> Page(double latitude, double longitude) const {
    const auto [x, y] = Plane(latitude, longitude);
    return {MapLeft + (x - LeftX) * Scale, MapTop + (y - TopY) * Scale};
  }
  std::string_view Name() const {
    return !Polar ? "Mercator projection, north up"
           : Pole > 0 ? "Polar stereographic projection (North Pole), north up along the middle meridian"
                      : "Polar stereographic projection (South Pole), north up along the middle meridian";
  }
};

// 1, 2 or 5 times a power of ten: the largest not above the value, or the
// smallest not below it.
double RoundDown125(double value) {
  const double power = std::pow(10, std::floor(std::log10(value)));
  for (const double step : {5.0, 2.0})
    if (step * power <= value) return step * power;
  return power;
}
double RoundUp125(double value) {
  const double power = std::pow(10, std::floor(std::log10(value)));
  for (const double step : {1.0, 2.0, 5.0})
    if (step * power >= value) return step * power;
  return 10 * power;
}

// Speed classes of equal width, a round number of km/h, at most five.
struct SpeedKey {
  double Step = 0;
  int Classes = 0;  // 0: no speed logged, one colour
  int Class(double kmh) const {
    if (Classes == 0 || !std::isfinite(kmh)) return 0;
    return std::clamp(static_cast<int>(kmh / Step), 0, Classes - 1);
  }
  std::string_view Colour(int c) const { return Classes == 0 ? PlainColour : SpeedColours[c]; }
};

SpeedKey KeyFor(const TrackStatistics& statistics) {
  SpeedKey key;
  if (!statistics.SpeedLogged()) return key;
  const double top = std::max(*statistics.MaximumSpeedKmh(), 1.0);
  key.Step = RoundUp125(top / 5);
  key.Classes = std::clamp(static_cast<int>(std::ceil(top / key.Step)), 1, 5);
  return key;
}

std::string DistanceText(double metres) {
  return metres >= 1000 ? std::to_string(static_cast<long long>(metres / 1000)) + " km"
                        : std::to_string(static_cast<long long>(metres)) + " m";
}

void Header(std::string& out, std::string_view name, const TrackStatistics& statistics, const TimeZone& zone,
            std::string_view projection) {
  Append(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"",
         std::to_string(PageWidth), "\" height=\"", std::to_string(PageHeight), "\" viewBox=\"0 0 ",
         std::to_string(PageWidth), " ", std::to_string(PageHeight),
         "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" font-size=\"14\">\n<title>");
  AppendXmlText(out, name.empty() ? "Track" : name);
  Append(out, "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
              "<text x=\"20\" y=\"36\" font-size=\"22\" font-weight=\"bold\">");
  AppendXmlText(out, name.empty() ? "Track" : name);
  out += "</text>\n<text x=\"20\" y=\"58\" fill=\"#555555\">";
  const std::optional<TrackPoint>& first = statistics.FirstTimed();
  if (first && first->Day) out += TimeFigure(*first, zone).substr(0, 10) + ", ";
  else if (statistics.LastTimed() && statistics.LastTimed()->Day) out += TimeFigure(*statistics.LastTimed(), zone).substr(0, 10) + ", ";
  Append(out, projection, "</text>\n");
  Append(out, "<rect x=\"20\" y=\"70\" width=\"960\" height=\"680\" fill=\"#f5f5f0\" stroke=\"#cccccc\"/>\n");
}

void NorthArrow(std::string& out) {
  out += "<g fill=\"#333333\"><path d=\"M950,84 l8,22 l-8,-6 l-8,6 z\"/>"
         "<text x=\"950\" y=\"124\" text-anchor=\"middle\" font-weight=\"bold\">N</text></g>\n";
}

void ScaleBar(std::string& out, const Projection& projection) {
  const double metres = RoundDown125(projection.MetresPerPixel * MapWidth / 5);
  const double pixels = metres / projection.MetresPerPixel;
  out += "<g stroke=\"#333333\" stroke-width=\"2\" fill=\"none\"><path d=\"M20,772 v8 h";
  Put(out, pixels);
  out += " v-8\"/></g>\n<text x=\"";
  Put(out, 28 + pixels);
  Append(out, "\" y=\"781\">", DistanceText(metres), " (at the middle latitude)</text>\n");
}

void Key(std::string& out, const SpeedKey& key) {
  if (key.Classes == 0) return;
  double x = 980 - key.Classes * 90.0;
  out += "<text x=\"";
  Put(out, x - 8);
  out += "\" y=\"781\" text-anchor=\"end\">Speed, km/h</text>\n";
  for (int c = 0; c < key.Classes; ++c, x += 90) {
    out += "<rect x=\"";
    Put(out, x);
    Append(out, "\" y=\"768\" width=\"22\" height=\"14\" fill=\"", key.Colour(c), "\"/><text x=\"");
    Put(out, x + 26);
    // A step of 0.2 km/h needs its decimal: 0.2-0.4, not 0-0.
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(key.Step) + 1e-9)));
    const auto bound = [&](int i) {
      char text[32];
      return std::string(text, std::to_chars(text, text + sizeof text, i * key.Step, std::chars_format::fixed, decimals).ptr);
    };
    Append(out, "\" y=\"781\">", c + 1 == key.Classes ? bound(c) + "+" : bound(c) + "\u2013" + bound(c + 1),
           "</text>\n");
  }
}

// Two columns of figures; the bounding box, too long for a column, last
// across both.
void Caption(std::string& out, const TrackStatistics& statistics, const TimeZone& zone) {
  std::vector<Figure> figures = StatisticsFigures(statistics, zone);
  const bool wide = figures.size() > 1 && figures.back().Value.size() > 40;
  const std::size_t columns = figures.size() - (wide ? 1 : 0);
  const std::size_t rows = std::max<std::size_t>((columns + 1) / 2, 1);
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const int x = i < rows || i == columns ? 20 : 500;
    const int y = 822 + static_cast<int>(i == columns ? rows : i % rows) * 24;
    Append(out, "<text x=\"", std::to_string(x), "\" y=\"", std::to_string(y), "\"><tspan fill=\"#555555\">",
           figures[i].Label, ":</tspan> ");
    AppendXmlText(out, figures[i].Value);
    out += "</text>\n";
  }
}

// The start a green disc, the end a red ring around its point: a track that
// ends where it began shows both.
void Markers(std::string& out, std::array<double, 2> start, std::array<double, 2> end) {
  const auto circle = [&](std::string_view id, std::array<double, 2> at, std::string_view paint) {
    Append(out, "<circle id=\"", id, "\" cx=\"");
    Put(out, at[0]);
    out += "\" cy=\"";
    Put(out, at[1]);
    Append(out, "\" ", paint, "/>\n");
  };
  circle("end", end, "r=\"11\" fill=\"none\" stroke=\"#d00000\" stroke-width=\"5\"");
  circle("start", start, "r=\"7\" fill=\"#00a000\" stroke=\"#ffffff\" stroke-width=\"1.5\"");
}

// Streams the spooled points as polylines, one per run of one speed class.
class LineWriter {
 public:
  LineWriter(const Projection& projection, const SpeedKey& key, long long points)
      : projection_(projection), key_(key), points_(points) {}

  void Add(const SpooledPoint& p, std::string& out) {
    const auto [x, y] = projection_.Page(p.LatitudeE7 / 1e7, p.LongitudeE7 / 1e7);
    const bool last = ++seen_ == points_;
    if (seen_ == 1) {
      first_ = {x, y};
      Start(x, y, key_.Class(p.SpeedKmh), out);
      return;
    }
    if (std::hypot(x - lastX_, y - lastY_) < HalfPixel && !last) return;
    if (const int c = key_.Class(p.SpeedKmh); c != class_) {
      out += "\"/>\n";
      Start(lastX_, lastY_, c, out);
    }
    Point(x, y, out);
  }
  void End(std::string& out) {
    if (seen_ > 0) out += "\"/>\n";
  }
  std::array<double, 2> First() const { return first_; }
  std::array<double, 2> Last() const { return {lastX_, lastY_}; }

 private:
  void Start(double x, double y, int c, std::string& out) {
    class_ = c;
    Append(out, "<polyline stroke=\"", key_.Colour(c), "\" points=\"");
    Point(x, y, out);
  }
  void Point(double x, double y, std::string& out) {
    if (out.back() != '"') out += ' ';
    Put(out, x);
    out += ',';
    Put(out, y);
    lastX_ = x;
    lastY_ = y;
  }

  const Projection& projection_;
  const SpeedKey& key_;
  long long points_;
  long long seen_ = 0;
  int class_ = 0;
  double lastX_ = 0, lastY_ = 0;
  std::array<double, 2> first_{};
};

}  // namespace

bool TrackPicture::Open() {
  if (points_.Open()) return true;
  reason_ = points_.Reason();
  return false;
}

void TrackPicture::Add(const TrackPoint& point) {
  statistics_.Add(point);
  const SpooledPoint spooled{static_cast<std::int32_t>(std::lround(point.Latitude * 1e7)),
                             static_cast<std::int32_t>(std::lround(point.Longitude * 1e7)),
                             point.SpeedKmh ? static_cast<float>(*point.SpeedKmh) : std::nanf("")};
  char bytes[SpooledSize];
  std::memcpy(bytes, &spooled.LatitudeE7, 4);
  std::memcpy(bytes + 4, &spooled.LongitudeE7, 4);
  std::memcpy(bytes + 8, &spooled.SpeedKmh, 4);
  points_.Write({bytes, SpooledSize});
}

bool TrackPicture::Finish(std::string_view name, std::string& out, OutputFile& output) {
  const std::optional<BoundingBox> box = statistics_.Box();
  const Projection projection(box.value_or(BoundingBox{}));
  Header(out, name, statistics_, zone_, projection.Name());
  if (!box) {
    out += "<text x=\"500\" y=\"410\" text-anchor=\"middle\" fill=\"#555555\">No fixes in the log</text>\n";
    Caption(out, statistics_, zone_);
    out += "</svg>\n";
    return true;
  }
  const SpeedKey key = KeyFor(statistics_);
  NorthArrow(out);
  ScaleBar(out, projection);
  Key(out, key);
  Caption(out, statistics_, zone_);

  out += "<g fill=\"none\" stroke-width=\"3\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
  LineWriter lines(projection, key, statistics_.Records());
  std::array<char, SpooledSize> partial{};
  std::size_t partialLength = 0;
  bool written = true;
  const bool read = points_.ReadBack([&](std::string_view block) {
    // A point may straddle two blocks.
    while (!block.empty()) {
      const std::size_t take = std::min(SpooledSize - partialLength, block.size());
      std::memcpy(partial.data() + partialLength, block.data(), take);
      partialLength += take;
      block.remove_prefix(take);
      if (partialLength < SpooledSize) break;
      SpooledPoint p;
      std::memcpy(&p.LatitudeE7, partial.data(), 4);
      std::memcpy(&p.LongitudeE7, partial.data() + 4, 4);
      std::memcpy(&p.SpeedKmh, partial.data() + 8, 4);
      partialLength = 0;
      lines.Add(p, out);
    }
    if (out.size() < FlushSize) return true;
    written = output.Write(out);
    out.clear();
    return written;
  });
  if (!read || !written) {
    reason_ = !points_.Reason().empty() ? points_.Reason() : output.Reason();
    return false;
  }
  lines.End(out);
  out += "</g>\n";
  Markers(out, lines.First(), lines.Last());
  out += "</svg>\n";
  return true;
}

namespace {

class PictureWriter final : public TrackWriter {
 public:
  PictureWriter(std::string_view logName, const TimeZone& zone) : title_(LogTitle(logName)), picture_(zone) {}

  bool Header(std::string&) override { return picture_.Open() || Fail(picture_.Reason()); }
  void Record(const TrackRecord& record, std::string&) override { picture_.Add(PointOf(record)); }
  void StartLog() override { picture_.Break(true); }
  void StartSegment(std::string&) override { picture_.Break(false); }
  bool Finish(std::string& out, OutputFile& output) override {
    return picture_.Finish(title_, out, output) || Fail(picture_.Reason());
  }

 private:
  std::string title_;
  TrackPicture picture_;
};

}  // namespace

std::unique_ptr<TrackWriter> MakePictureWriter(const WriterSettings& settings) {
  return std::make_unique<PictureWriter>(settings.LogName, settings.Zone);
}

}  // namespace conversion
