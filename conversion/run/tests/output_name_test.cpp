#include "conversion/run/output_name.hpp"

#include <doctest/doctest.h>

TEST_CASE("DefaultOutputName") {
  struct Row {
    std::string_view Log;
    std::string_view Extension;
    std::string_view Output;
  };
  const Row rows[] = {
      {"trip.pgl", ".txt", "trip.txt"},
      {"C:\\Logs\\Trip.PGL", ".txt", "C:\\Logs\\Trip.txt"},
      {"logs/Trip.Pgl", ".gpx", "logs/Trip.gpx"},
      {"C:\\x.pgl.d\\trip.pgl", ".txt", "C:\\x.txt"},
      {"/home/me/x.PGL.d/trip.pgl", ".txt", "/home/me/x.txt"},
      {"trip.pgl.bak", ".txt", "trip.txt"},
      {"trip.pglx", ".kml", "trip.kml"},
      // Not a file named "txt" wherever the program happens to run.
      {"C:\\logs\\trip.nmea", ".txt", "C:\\logs\\trip.nmea.txt"},
      {"trip", ".txt", "trip.txt"},
      {"trip.pg", ".txt", "trip.pg.txt"},
      {".pgl", ".txt", ".txt"},
      // The blank name of a cancelled Open in the desktop program.
      {"", ".txt", ".txt"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Log);
    CHECK(conversion::DefaultOutputName(row.Log, row.Extension) == row.Output);
  }
}
