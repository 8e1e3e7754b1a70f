#include "conversion/formats/track_picture.hpp"

#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "conversion/tests/test_files.hpp"

using namespace conversion;

namespace {

TrackPoint At(double latitude, double longitude, double speed) {
  TrackPoint point;
  point.Latitude = latitude;
  point.Longitude = longitude;
  point.SpeedKmh = speed;
  return point;
}

// The picture of the points, as written to a file.
template <typename Points>
std::string Picture(const Points& add) {
  conversion_tests::TempFolder folder("picture");
  const std::string name = folder / "track.svg";
  TrackPicture picture;
  REQUIRE(picture.Open());
  add(picture);
  OutputFile output;
  REQUIRE(output.Open(name));
  std::string out;
  REQUIRE(picture.Finish("track", out, output));
  REQUIRE(output.Write(out));
  REQUIRE(output.Commit());
  return conversion_tests::ReadFile(name);
}

double After(const std::string& text, const std::string& key, std::size_t from) {
  return std::stod(text.substr(text.find(key, from) + key.size()));
}

std::size_t Count(const std::string& text, char c) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), c)); }

}  // namespace

TEST_CASE("A million points make a picture of what can be seen") {
  // A day's drive east along a winding road, one fix a second.
  const std::string svg = Picture([](TrackPicture& picture) {
    for (int i = 0; i < 1'000'000; ++i) {
      const double t = i / 1e6;
      picture.Add(At(48 + 0.05 * std::sin(t * 40), 11 + 2 * t, 60 + 40 * std::sin(t * 7)));
    }
  });
  // Each drawn point is a comma in a polyline; fewer than two per pixel of
  // the road's length in the picture.
  CHECK(Count(svg, ',') < 12'000);
  CHECK(svg.size() < 200'000);
  CHECK(svg.find("<polyline stroke=\"#f46d43\"") != std::string::npos);  // the fastest class is there
}

TEST_CASE("A track across the antimeridian is drawn narrow, east to the right") {
  const std::string svg = Picture([](TrackPicture& picture) {
    for (int i = 0; i <= 100; ++i) picture.Add(At(-17, 179.9 + i * 0.002 - (179.9 + i * 0.002 > 180 ? 360 : 0), 30));
  });
  const double startX = After(svg, "cx=\"", svg.find("id=\"start\""));
  const double endX = After(svg, "cx=\"", svg.find("id=\"end\""));
  CHECK(startX > 20);
  CHECK(endX < 980);
  CHECK(endX - startX > 800);
}

TEST_CASE("The speed key of a slow track has bounds apart") {
  const std::string svg = Picture([](TrackPicture& picture) {
    for (int i = 0; i < 8; ++i) picture.Add(At(48, 11 + i * 0.00001, 0.1 * i));
  });
  std::string bounds;
  for (std::size_t at = svg.find("Speed, km/h"); (at = svg.find("\" y=\"781\">", at)) != std::string::npos;) {
    at += 10;
    bounds += svg.substr(at, svg.find('<', at) - at) + " ";
  }
  CHECK(bounds == "0.0\u20130.2 0.2\u20130.4 0.4\u20130.6 0.6\u20130.8 0.8+ ");
}

TEST_CASE("A track near a pole is drawn to scale on a polar projection") {
  struct Case {
    const char* Name;
    double Latitude;  // of the start, 1.5 degrees (167 km) from the end, towards the pole
    std::string_view Caption;
  };
  const Case cases[] = {
      {"north", 88, "Polar stereographic projection (North Pole), north up along the middle meridian"},
      {"south", -88, "Polar stereographic projection (South Pole), north up along the middle meridian"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    const double towardsPole = c.Latitude > 0 ? 0.1 : -0.1;
    const std::string svg = Picture([&](TrackPicture& picture) {
      for (int i = 0; i < 16; ++i) picture.Add(At(c.Latitude + i * towardsPole, 10, 30));
    });
    CHECK(svg.find(std::string(c.Caption) + "</text>") != std::string::npos);
    const double startY = After(svg, "cy=\"", svg.find("id=\"start\""));
    const double endY = After(svg, "cy=\"", svg.find("id=\"end\""));
    // North up: towards the north pole is up the page, towards the south pole down; the track fills the box.
    CHECK((c.Latitude > 0 ? startY - endY : endY - startY) > 600);
    CHECK(svg.find(">50 km (at the middle latitude)<") != std::string::npos);
  }
}
