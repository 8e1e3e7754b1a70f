#include "conversion/reading/track_reader.hpp"

#include <cmath>

#include "conversion/reading/week_rollover.hpp"

namespace conversion {

namespace {

std::optional<long long> Milliseconds(const std::optional<double>& seconds) {
  if (!seconds) return std::nullopt;
  return std::llround(*seconds * 1000);
}

// Whether a log has a GGA sentence anywhere, the log tells only at its end.
// So it is read ahead up to its first GGA, which in nearly every log with
// any is among its first lines, or to its end, and then again from its
// start: the reader keeps what the look took from a pipe, so that nothing
// is held in memory and no input is read twice. Reading from RMC until a
// GGA comes would change the records of the logs that write RMC first.
PositionSentence PositionsOf(LogReader& log) {
  using talkers::IsCapital;
  using talkers::Type;
  log.LookAhead();
  bool rmc = false;
  bool gll = false;
  std::string_view line;
  while (log.NextLine(line)) {
    if (line.size() < 6 || line[0] != '$' || !IsCapital(line[1]) || !IsCapital(line[2])) continue;
    const std::uint32_t type = talkers::TypeOf(line);
    if (type == Type("GGA")) {
      rmc = gll = false;
      break;
    }
    rmc = rmc || type == Type("RMC");
    gll = gll || type == Type("GLL");
  }
  log.Rewind();
  return rmc ? PositionSentence::Rmc : gll ? PositionSentence::Gll : PositionSentence::Gga;
}

}  // namespace

TrackReader::TrackReader(LogReader& log, const ReadingOptions& options, bool days, bool epochStatus, bool facts,
                         bool ownSecond)
    : log_(log),
      options_(options),
      readsDays_(days),
      readsEpochStatus_(epochStatus),
      makesFacts_(facts),
      ownSecond_(ownSecond),
      positions_(PositionsOf(log)),
      wrongWhenTaken_(options.SkipWrongChecksums ? nullptr : &counts_.WrongChecksums),
      pendingGsa_(wrongWhenTaken_) {
  counts_.PositionsFrom = positions_;
}

bool TrackReader::Next(FixFacts& facts) {
  return positions_ == PositionSentence::Gga ? NextOf<true>(facts) : NextOf<false>(facts);
}

template <bool ReadsGga>
bool TrackReader::NextOf(FixFacts& facts) {
  if (incomingGga_) TakeIncoming();
  const bool readsDates = readsDays_ || readsEpochStatus_ || ownSecond_;
  std::string_view line;
  while (log_.NextLine(line)) {
    ++counts_.Lines;
    SentenceKind kind;
    if constexpr (ReadsGga) kind = talkers_.Kind(line);
    else kind = talkers_.KindWithoutGga(line, positions_);
    if (kind == SentenceKind::Other || (kind == SentenceKind::Date && !readsDates)) continue;
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
        if (TakePosition(line)) {
          DateLatest();
          if (makesFacts_) facts = FactsOfLatest();
          return true;
        }
        break;
      case SentenceKind::Satellites:
        pendingGsa_.Add(line, fix_);
        break;
      case SentenceKind::Course:
        if (ownSecond_) motion_.NoteCourse(line);
        else pendingVtg_.Assign(line);
        courseSentenceSeen_ = true;
        break;
      case SentenceKind::Date:
        TakeDate(line);
        break;
      case SentenceKind::Other:
      case SentenceKind::OtherTalkerPosition:
        break;
    }
  }
  if (log_.Failed() || positionsRead_ == 0 || finished_) return false;
  finished_ = true;
  if (ownSecond_) motion_.EndGap(true, latestMilliseconds_, std::nullopt);
  DateLatest();
  if (makesFacts_) facts = FactsOfLatest();
  return true;
}

// A readable position sentence ends the epoch of the one before it, which is
// handed out first; the new one becomes the latest at the next call.
bool TrackReader::TakePosition(std::string_view line) {
  if (counts_.Talker.empty()) {
    talkers_.NotePosition(line);
    counts_.Talker = talkers_.Talker();
    if (talkers_.Pooled()) pendingGsa_.PoolFromHere(fix_);
  }
  ++counts_.Positions;
  pendingGsa_.Position();
  GgaValues gga;
  if (!ReadPosition(line, gga)) {
    counts_.WithoutPosition += HasFix(line, positions_) ? 0 : 1;
    return false;
  }
  incomingGga_ = gga;
  if (wrongWhenTaken_ != nullptr) ggaLines_[1 - latestGgaLine_].Assign(line);
  if (ownSecond_) {
    motion_.EndGap(positionsRead_ > 0, positionsRead_ > 0 ? latestMilliseconds_ : std::nullopt,
                   Milliseconds(SecondsOfDay(gga)));
  }
  if (positionsRead_ > 0) return true;
  TakeIncoming();
  return false;
}

bool TrackReader::ReadPosition(std::string_view line, GgaValues& position) {
  switch (positions_) {
    case PositionSentence::Gga:
      break;
    case PositionSentence::Rmc:
      if (!ReadRmc(line, position)) return false;
      // Each fix with its own speed and course: the pushpin file shows them.
      courseSentenceSeen_ = true;
      rmcLines_[1 - latestGgaLine_].Assign(line);
      return true;
    case PositionSentence::Gll:
      return ReadGll(line, position);
  }
  return ReadGga(line, position);
}

void TrackReader::TakeIncoming() {
  latestGga_ = *incomingGga_;
  latestSeconds_ = SecondsOfDay(latestGga_);
  latestMilliseconds_ = Milliseconds(latestSeconds_);
  incomingGga_.reset();
  latestGgaLine_ = 1 - latestGgaLine_;
  // Dated before its day is counted, by its own date.
  if (positions_ == PositionSentence::Rmc && readsDays_) {
    if (const std::optional<LoggedDate> date = ReadRmcDate(rmcLines_[latestGgaLine_].View())) days_.NoteDate(*date);
  }
  ++positionsRead_;
  if (latestGga_.TimeGiven && !latestSeconds_) ++counts_.ImpossibleTimes;
  if (ownSecond_) motion_.Advance();
  // An RMC sentence may come before the position of its epoch.
  latestVoid_ = lastRmcVoid_ && lastRmcMilliseconds_ && lastRmcMilliseconds_ == latestMilliseconds_;
}

// $GPRMC and $GPZDA of any talker: dates, and whether the receiver had a fix.
void TrackReader::TakeDate(std::string_view line) {
  if (talkers::TypeOf(line) == talkers::Type("ZDA")) {
    if (!readsDays_) return;
    if (const std::optional<LoggedDate> date = ReadZdaDate(line)) NoteDate(*date);
    return;
  }
  const RmcReading rmc = ReadRmc(line);
  if (readsDays_ && rmc.Date) NoteDate(*rmc.Date);
  if (!readsEpochStatus_ && !ownSecond_) return;
  const std::optional<RmcStatus>& status = rmc.Status;
  if (ownSecond_) motion_.NoteRmc(line, status ? Milliseconds(status->SecondsOfDay) : std::nullopt);
  if (!status || !readsEpochStatus_) return;
  lastRmcMilliseconds_ = Milliseconds(status->SecondsOfDay);
  lastRmcVoid_ = status->Void;
  if (positionsRead_ > 0 && lastRmcMilliseconds_ == latestMilliseconds_) latestVoid_ = status->Void;
}

void TrackReader::NoteDate(LoggedDate date) {
  if (!rolloverShift_) {
    const std::optional<long long> written = logFile_ ? WrittenDay(*logFile_) : std::nullopt;
    rolloverShift_ = RolloverShift(date.Day, options_.WeekRollovers, written,
                                   [&] { return logFile_ ? LastLoggedDay(*logFile_) : std::nullopt; });
  }
  date.Day += *rolloverShift_;
  days_.NoteDate(date);
}

FixFacts TrackReader::FactsOfLatest() const {
  FixFacts facts;
  facts.Latitude = PreciseLatitude(latestGga_);
  facts.Longitude = PreciseLongitude(latestGga_);
  facts.MillisecondsOfDay = latestMilliseconds_;
  facts.Quality = latestGga_.Quality;
  facts.EpochVoid = latestVoid_;
  return facts;
}

void TrackReader::TakeChecksum(std::string_view line) {
  if (wrongWhenTaken_ != nullptr && !ChecksumMatches(line)) ++*wrongWhenTaken_;
}

void TrackReader::Fill(TrackRecord& record) {
  pendingGsa_.Settle(fix_);
  if (ownSecond_) {
    motion_.Fill(fix_, wrongWhenTaken_);
  } else if (!pendingVtg_.Empty()) {
    TakeChecksum(pendingVtg_.View());
    DecodeVtg(pendingVtg_.View(), fix_);
    pendingVtg_.Clear();
  }
  if (wrongWhenTaken_ != nullptr && !ggaLines_[latestGgaLine_].Empty()) {
    TakeChecksum(ggaLines_[latestGgaLine_].View());
    ggaLines_[latestGgaLine_].Clear();
  }
  if (positions_ == PositionSentence::Rmc) DecodeRmcMotion(rmcLines_[latestGgaLine_].View(), fix_);
  ApplyGga(latestGga_, finished_ ? GgaForm::Final : GgaForm::InLoop, fix_);
  record.Number = positionsRead_;
  record.Fix = fix_;
  record.CourseSentenceSeen = courseSentenceSeen_;
  record.Day.reset();
  record.DayCounted = false;
  if (!latestDay_) return;
  record.Day = latestDay_->Day;
  record.DayCounted = !latestDay_->Known;
}

void TrackReader::DateLatest() {
  latestDay_.reset();
  if (!readsDays_) return;
  if (latestSeconds_) latestDay_ = days_.DayOf(*latestSeconds_);
}

}  // namespace conversion
