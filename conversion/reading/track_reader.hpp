#pragma once
// The fixes of a log: its lines read in order, the sentences of the log's
// talker decoded into the fix, and each readable position handed out once
// the sentences of its epoch have all come, for a look at what it is before
// its record is made. A record shows the fix of its own position sentence,
// with the satellites and the course of the sentences read before the next
// readable one; the log's last fix also takes the satellites in use of its
// position sentence. A log without GGA has its positions in its RMC (or,
// without those, its GLL) sentences, with no altitude and no satellites.
//
// Sentences are decoded only when a record is made and only the latest of
// each kind that counts, so a log is read at the speed of its position
// sentences.

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/log_counts.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/pending_sentences.hpp"
#include "conversion/reading/second_motion.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/reading/talkers.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

class TrackReader {
 public:
  // With days, the records carry the day of their fix (the RMC and ZDA
  // sentences are read for it); with the epochs' status, the facts say
  // whether an RMC sentence of the fix's time reported no fix. Without
  // either, date sentences are passed over. Without `facts`, the facts of
  // the fixes are not made. With `ownSecond`, a record takes the course and
  // speed of its own second (SecondMotion), else those of the $GPVTG last
  // read before the next position.
  TrackReader(LogReader& log, const ReadingOptions& options, bool days, bool epochStatus, bool facts = true,
              bool ownSecond = false);
  TrackReader(const TrackReader&) = delete;
  TrackReader& operator=(const TrackReader&) = delete;

  // The next fix whose epoch has been read (the last one at the end of the
  // log); false at the end, or when the log could not be read on (its
  // Failed() tells).
  bool Next(FixFacts& facts);
  // The record of the fix Next gave last, as the sentences read so far make
  // it; before Next is called again.
  void Fill(TrackRecord& record);

  // What turns the days counted before the log's first date into dates;
  // none until the log has given one.
  const std::optional<long long>& DayShift() const { return days_.Shift(); }
  // The log's file, whose time may show its dates to lag by a GPS week
  // rollover; without it only a date before 2000 does.
  void TakeRolloverEvidence(std::filesystem::path logFile) { logFile_ = std::move(logFile); }
  // The weeks the log's dates were moved forward by.
  long long WeeksMoved() const { return rolloverShift_.value_or(0) / 7; }
  // The fixes handed out so far, which number the records.
  long long FixesRead() const { return positionsRead_; }
  // Whether the log gave course sentences.
  bool CourseSentenceSeen() const { return courseSentenceSeen_; }
  const LogCounts& Counts() const { return counts_; }

 private:
  // The reading of Next, one for logs read from GGA and one for the others,
  // so that a line of the commonest log pays nothing for the rarer ones.
  template <bool ReadsGga>
  bool NextOf(FixFacts& facts);
  bool TakePosition(std::string_view line);
  bool ReadPosition(std::string_view line, GgaValues& position);
  void TakeDate(std::string_view line);
  void NoteDate(LoggedDate date);
  // The position read after the fix last handed out becomes the latest.
  void TakeIncoming();
  FixFacts FactsOfLatest() const;
  // The day of the fix handed out, whose epoch's dates have all come.
  void DateLatest();
  // Counts the sentence whose values are taken when its checksum is wrong.
  void TakeChecksum(std::string_view line);

  LogReader& log_;
  ReadingOptions options_;
  bool readsDays_;
  bool readsEpochStatus_;
  bool makesFacts_;
  bool ownSecond_;
  PositionSentence positions_;
  FixDays days_;
  // Every fix takes part in the count of days, kept or not: a date belongs
  // to the log, and a filter that leaves out the fix that carried it must
  // not lose it for the fixes around.
  std::optional<FixDay> latestDay_;
  std::optional<std::filesystem::path> logFile_;
  // Decided at the log's first date, for all of them.
  std::optional<long long> rolloverShift_;
  TalkerRules talkers_;
  LogCounts counts_;
  FixState fix_;
  // A $GPGGA line sets all it reads, so of the lines since the last record
  // only the latest readable one counts.
  GgaValues latestGga_;
  // Its time, asked for many times per fix.
  std::optional<double> latestSeconds_;
  std::optional<long long> latestMilliseconds_;
  std::optional<GgaValues> incomingGga_;
  // An RMC position's own line, for its course, speed and date: the
  // latest's and the incoming one's, as ggaLines_.
  std::array<SavedLine, 2> rmcLines_;
  long long positionsRead_ = 0;
  // The latest RMC sentence's time in milliseconds, and its status.
  std::optional<long long> lastRmcMilliseconds_;
  bool lastRmcVoid_ = false;
  bool latestVoid_ = false;
  // Checksums: with --checksums each sentence that counts is checked as it
  // comes, and skipped when wrong. Otherwise a sentence is checked only when
  // its values are taken, as most are superseded first (a sum over every
  // byte of every such line costs more than their decoding): the count is
  // of the sentences whose values were taken. Null with --checksums.
  long long* wrongWhenTaken_;
  // The lines of the latest position and of the one read after it, while
  // their checksums are still to be looked at: a position's is when its
  // record is made.
  std::array<SavedLine, 2> ggaLines_;
  std::size_t latestGgaLine_ = 0;
  // A $GPVTG sentence sets all it decodes and is never rejected, so only the
  // latest one counts, and only once a record is made.
  SavedLine pendingVtg_;
  SecondMotion motion_;
  PendingSatellites pendingGsa_;
  bool courseSentenceSeen_ = false;
  bool finished_ = false;
};

}  // namespace conversion
