#pragma once
// The records of a log: its lines read in order, the sentences of the log's
// talker decoded into the fix, and a record handed out for one readable
// position sentence in `resolution` and always the last. A record shows the
// fix of its own position sentence, with the satellites and the course of
// the sentences read before the next readable one; the last record also
// takes the satellites in use of its position sentence.
//
// Sentences are decoded only when a record falls due and only the latest of
// each kind that counts, so a log is read at the speed of its position
// sentences.

#include <optional>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/log_counts.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/pending_sentences.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/reading/talkers.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

class TrackReader {
 public:
  // With days, the records carry the day of their fix (the RMC sentences are
  // read for it); without, they are passed over.
  TrackReader(LogReader& log, int resolution, const ReadingOptions& options, std::optional<FixDays> days);
  TrackReader(const TrackReader&) = delete;
  TrackReader& operator=(const TrackReader&) = delete;

  // The next record; false at the end of the log, or when it could not be
  // read on (the log's Failed() tells).
  bool Next(TrackRecord& record);

  // Whether the log gave course sentences.
  bool CourseSentenceSeen() const { return courseSentenceSeen_; }
  const LogCounts& Counts() const { return counts_; }

 private:
  bool TakePosition(std::string_view line, TrackRecord& record);
  void FillRecord(GgaForm form, TrackRecord& record);
  // Counts the sentence whose values are taken when its checksum is wrong.
  void TakeChecksum(std::string_view line);

  LogReader& log_;
  long long keepEvery_;
  ReadingOptions options_;
  std::optional<FixDays> days_;
  TalkerRules talkers_;
  LogCounts counts_;
  FixState fix_;
  // A $GPGGA line sets all it reads, so of the lines since the last record
  // only the latest readable one counts.
  GgaValues latestGga_;
  long long positionsRead_ = 0;
  // Checksums: with --checksums each sentence that counts is checked as it
  // comes, and skipped when wrong. Otherwise a sentence is checked only when
  // its values are taken, as most are superseded first (a sum over every
  // byte of every such line costs more than their decoding): the count is
  // of the sentences whose values were taken. Null with --checksums.
  long long* wrongWhenTaken_;
  // The latest position when its checksum is still to be looked at: it is
  // taken only if it is the last.
  SavedLine latestGgaLine_;
  // A $GPVTG sentence sets all it decodes and is never rejected, so only the
  // latest one counts, and only once a record falls due.
  SavedLine pendingVtg_;
  PendingSatellites pendingGsa_;
  bool courseSentenceSeen_ = false;
  bool finished_ = false;
};

}  // namespace conversion
