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

#include <array>
#include <optional>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/reading/fix_date.hpp"
#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/log_counts.hpp"
#include "conversion/reading/log_reader.hpp"
#include "conversion/reading/sentence_decoding.hpp"
#include "conversion/reading/talkers.hpp"
#include "conversion/reading/track_record.hpp"
#include "text/inline_text.hpp"

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
  using SavedLine = text::InlineText<LogLineLength>;

  // The $GPGSA lines since the last record, in order. Each either sets the
  // whole satellite list or is rejected and changes nothing, so of these
  // lines only the latest valid one matters: it is looked for from the end
  // when a record falls due, and most lines are never decoded. When more
  // lines come than are kept, those kept are settled first.
  struct PendingSatelliteLines {
    std::array<SavedLine, 16> Lines;
    std::size_t Count = 0;

    void Add(std::string_view line, FixState& fix) {
      if (Count == Lines.size()) Settle(fix);
      Lines[Count++].Assign(line);
    }
    void Settle(FixState& fix) {
      while (Count > 0 && !DecodeGsa(Lines[Count - 1].View(), fix)) --Count;
      Count = 0;
    }
  };

  bool TakePosition(std::string_view line, TrackRecord& record);
  void FillRecord(GgaForm form, TrackRecord& record);

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
  // A $GPVTG sentence sets all it decodes and is never rejected, so only the
  // latest one counts, and only once a record falls due.
  SavedLine pendingVtg_;
  PendingSatelliteLines pendingGsa_;
  // A receiver of several systems writes a satellite sentence per system
  // after each position: those up to the next position make one list.
  bool startSatelliteList_ = true;
  bool courseSentenceSeen_ = false;
  bool finished_ = false;
};

}  // namespace conversion
