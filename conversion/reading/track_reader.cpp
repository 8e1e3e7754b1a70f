#include "conversion/reading/track_reader.hpp"

#include <algorithm>
#include <utility>

namespace conversion {

TrackReader::TrackReader(LogReader& log, int resolution, const ReadingOptions& options, std::optional<FixDays> days)
    : log_(log), keepEvery_(std::max(resolution, 1)), options_(options), days_(std::move(days)) {}

bool TrackReader::Next(TrackRecord& record) {
  std::string_view line;
  while (log_.NextLine(line)) {
    ++counts_.Lines;
    const SentenceKind kind = talkers_.Kind(line);
    if (kind == SentenceKind::Other || (kind == SentenceKind::Date && !days_)) continue;
    if (kind == SentenceKind::OtherTalkerPosition) {
      if (counts_.OtherTalker.empty()) counts_.OtherTalker = line.substr(1, 2);
      ++counts_.OtherTalkerPositions;
      continue;
    }
    if (!ChecksumMatches(line)) {
      ++counts_.WrongChecksums;
      if (options_.SkipWrongChecksums) continue;
    }
    switch (kind) {
      case SentenceKind::Position:
        if (TakePosition(line, record)) return true;
        break;
      case SentenceKind::Satellites:
        if (!talkers_.Pooled()) pendingGsa_.Add(line, fix_);
        else if (PoolGsa(line, startSatelliteList_, fix_)) startSatelliteList_ = false;
        break;
      case SentenceKind::Course:
        pendingVtg_.Assign(line);
        courseSentenceSeen_ = true;
        break;
      case SentenceKind::Date:
        days_->NoteRmc(line);
        break;
      case SentenceKind::Other:
      case SentenceKind::OtherTalkerPosition:
        break;
    }
  }
  if (log_.Failed() || positionsRead_ == 0 || finished_) return false;
  finished_ = true;
  FillRecord(GgaForm::Final, record);
  return true;
}

// A readable position sentence becomes the latest. When the record of the
// one before it is due, whose sentences have all come now, that one fills
// the record first.
bool TrackReader::TakePosition(std::string_view line, TrackRecord& record) {
  if (counts_.Talker.empty()) {
    talkers_.NotePosition(line);
    counts_.Talker = talkers_.Talker();
    // The satellite sentences from here on are pooled as they come.
    if (talkers_.Pooled()) pendingGsa_.Settle(fix_);
  }
  ++counts_.Positions;
  startSatelliteList_ = true;
  GgaValues gga;
  if (!ReadGga(line, gga)) {
    counts_.WithoutPosition += GgaHasPosition(line) ? 0 : 1;
    return false;
  }
  const bool due = positionsRead_ > 0 && (positionsRead_ - 1) % keepEvery_ == 0;
  if (due) FillRecord(GgaForm::InLoop, record);
  latestGga_ = gga;
  ++positionsRead_;
  return due;
}

void TrackReader::FillRecord(GgaForm form, TrackRecord& record) {
  pendingGsa_.Settle(fix_);
  if (!pendingVtg_.Empty()) {
    DecodeVtg(pendingVtg_.View(), fix_);
    pendingVtg_.Clear();
  }
  ApplyGga(latestGga_, form, fix_);
  record.Number = positionsRead_;
  record.Fix = fix_;
  record.CourseSentenceSeen = courseSentenceSeen_;
  record.Day.reset();
  if (!days_) return;
  if (const std::optional<double> seconds = SecondsOfDay(fix_)) record.Day = days_->DayOf(*seconds);
}

}  // namespace conversion
