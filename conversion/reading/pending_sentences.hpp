#pragma once
// The satellite sentences kept from their arrival until a record falls due,
// when only the last of them that count are decoded: a log has millions of
// lines, and most of these sentences are superseded before a record needs them.

#include <array>
#include <string_view>

#include "conversion/constants.hpp"
#include "conversion/reading/fix_state.hpp"
#include "text/inline_text.hpp"

namespace conversion {

// A copy of a log line, as much of it as is ever decoded.
using SavedLine = text::InlineText<LogLineLength>;

// The satellite sentences since the last record, in order, in groups. A GPS
// receiver's $GPGSA is a group of its own and sets the whole list; a receiver
// of several systems writes one per system after each position, and those up
// to the next position make one group, pooled into one list. A sentence that
// cannot be read changes nothing, so only the last group with a readable
// sentence matters: it is looked for from the end when a record falls due.
// When more sentences come than are kept, those kept are settled first.
class PendingSatellites {
 public:
  // The sentences with a wrong checksum that are decoded are counted there,
  // unless it is null (they were checked as they came).
  explicit PendingSatellites(long long* wrongChecksums) : wrongChecksums_(wrongChecksums) {}

  // From now on the sentences between two positions are pooled.
  void PoolFromHere(FixState& fix) {
    Settle(fix);
    pooled_ = true;
  }
  // A position of the log's talker: the next sentence starts a group.
  void Position() { groupOpen_ = false; }

  void Add(std::string_view line, FixState& fix) {
    if (count_ == lines_.size()) Settle(fix);
    startsGroup_[count_] = !pooled_ || !groupOpen_;
    if (startsGroup_[count_]) openGroupListed_ = false;
    groupOpen_ = true;
    lines_[count_++].Assign(line);
  }

  void Settle(FixState& fix);

 private:
  bool DecodeGroup(std::size_t first, std::size_t end, FixState& fix) const;
  std::string_view Examined(std::size_t i) const;

  long long* wrongChecksums_;
  std::array<SavedLine, 32> lines_;
  std::array<bool, 32> startsGroup_{};
  std::size_t count_ = 0;
  bool pooled_ = false;
  bool groupOpen_ = false;
  // The fix's list comes from the open group, settled before it ended: the
  // group's later sentences add to that list.
  bool openGroupListed_ = false;
};

}  // namespace conversion
