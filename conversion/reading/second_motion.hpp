#pragma once
// The course and speed of a fix's own second, for the formats that are this
// program's own (the pushpin file pairs a $GPVTG with the position before it,
// whatever second it belongs to).
//
// A second is told apart by the time of its $GPRMC: a receiver writes its
// RMC and VTG together, from the same solution, so the VTG and the RMC
// written between the same two positions belong to the second the RMC's time
// names, the position before them or the one after. Between two positions
// without an RMC, a VTG belongs to the position before it. A second that
// has no VTG takes the RMC's own course and speed; one that has neither has
// none.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "conversion/reading/fix_state.hpp"
#include "conversion/reading/pending_sentences.hpp"

namespace conversion {

class SecondMotion {
 public:
  void NoteCourse(std::string_view line) { sentences_[gap_].Vtg.Assign(line); }
  void NoteRmc(std::string_view line, std::optional<long long> milliseconds) {
    sentences_[gap_].Rmc.Assign(line);
    sentences_[gap_].RmcMilliseconds = milliseconds;
  }
  // A position has come: the sentences since the one before go to the
  // position whose time their RMC gives. `before` is the time of the
  // position before them, none when there is none or it had no time; so is
  // `after` for the one that has come (none at the end of the log).
  void EndGap(bool positionBefore, std::optional<long long> before, std::optional<long long> after);
  // The position after the last gap becomes the one whose motion Fill gives.
  void Advance();
  // Course and speed of the latest position; a $GPVTG decoded with a wrong
  // checksum is counted in `wrongChecksums`, unless it is null.
  void Fill(FixState& fix, long long* wrongChecksums);

 private:
  struct Sentences {
    SavedLine Vtg;
    SavedLine Rmc;
    std::optional<long long> RmcMilliseconds;
    // Its RMC names its position's second, rather than being there by default.
    bool Named = false;
    bool Empty() const { return Vtg.Empty() && Rmc.Empty(); }
    void Clear() {
      Vtg.Clear();
      Rmc.Clear();
      RmcMilliseconds.reset();
      Named = false;
    }
  };
  // The sentences of the gap being read, of the latest position and of the
  // next: they change roles, not places, as a line is copied once per fix.
  std::array<Sentences, 3> sentences_;
  std::size_t gap_ = 0;
  std::size_t latest_ = 1;
  std::size_t next_ = 2;
};

}  // namespace conversion
