#include "conversion/reading/track_reader.hpp"

#include <algorithm>
#include <utility>

namespace conversion {

TrackReader::TrackReader(LogReader& log, int resolution, const ReadingOptions& options, std::optional<FixDays> days)
    : log_(log),
      keepEvery_(std::max(resolution, 1)),
      options_(options),
      days_(std::move(days)),
      wrongWhenTaken_(options.SkipWrongChecksums ? nullptr : &counts_.WrongChecksums),
      pendingGsa_(wrongWhenTaken_) {}

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
    if ((options_.SkipWrongChecksums || kind == SentenceKind::Date) && !ChecksumMatches(line)) {
      ++counts_.WrongChecksums;
      if (options_.SkipWrongChecksums) continue;
    }
    switch (kind) {
      case SentenceKind::Position:
        if (TakePosition(line, record)) return true;
        break;
      case SentenceKind::Satellites:
        pendingGsa_.Add(line, fix_);
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
  if (!latestGgaLine_.Empty()) TakeChecksum(latestGgaLine_.View());
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
    if (talkers_.Pooled()) pendingGsa_.PoolFromHere(fix_);
  }
  ++counts_.Positions;
  pendingGsa_.Position();
  GgaValues gga;
  if (!ReadGga(line, gga)) {
    counts_.WithoutPosition += GgaHasPosition(line) ? 0 : 1;
    return false;
  }
  const bool due = positionsRead_ > 0 && (positionsRead_ - 1) % keepEvery_ == 0;
  if (due) FillRecord(GgaForm::InLoop, record);
  latestGga_ = gga;
  // A fix the resolution keeps is taken; of the others only the last.
  if (wrongWhenTaken_ != nullptr) {
    if (positionsRead_ % keepEvery_ == 0) {
      latestGgaLine_.Clear();
      TakeChecksum(line);
    } else {
      latestGgaLine_.Assign(line);
    }
  }
  ++positionsRead_;
  return due;
}

void TrackReader::TakeChecksum(std::string_view line) {
  if (wrongWhenTaken_ != nullptr && !ChecksumMatches(line)) ++*wrongWhenTaken_;
}

void TrackReader::FillRecord(GgaForm form, TrackRecord& record) {
  pendingGsa_.Settle(fix_);
  if (!pendingVtg_.Empty()) {
    TakeChecksum(pendingVtg_.View());
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
