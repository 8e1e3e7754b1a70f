#pragma once
// The writer of each format, made afresh for each run.

#include <memory>

#include "conversion/formats/track_writer.hpp"

namespace conversion {

std::unique_ptr<TrackWriter> MakePushpinWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeGpxWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeKmlWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeGeoJsonWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeCsvWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakePictureWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeStatisticsWriter(const WriterSettings& settings);

}  // namespace conversion
