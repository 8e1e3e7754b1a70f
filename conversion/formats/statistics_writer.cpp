#include "conversion/formats/track_statistics.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

// The records summed up where the caller asked; nothing written.
class StatisticsWriter final : public TrackWriter {
 public:
  explicit StatisticsWriter(TrackStatistics* statistics) : statistics_(statistics) {}

  bool Header(std::string&) override { return true; }
  void Record(const TrackRecord& record, std::string&) override {
    if (statistics_ != nullptr) statistics_->Add(PointOf(record));
  }
  void StartLog() override {
    if (statistics_ != nullptr) statistics_->Break(true);
  }
  void StartSegment(std::string&) override {
    if (statistics_ != nullptr) statistics_->Break(false);
  }
  bool Finish(std::string&, OutputFile&) override { return true; }

 private:
  TrackStatistics* statistics_;
};

}  // namespace

std::unique_ptr<TrackWriter> MakeStatisticsWriter(const WriterSettings& settings) {
  return std::make_unique<StatisticsWriter>(settings.Statistics);
}

}  // namespace conversion
