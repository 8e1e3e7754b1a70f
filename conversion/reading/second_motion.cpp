#include "conversion/reading/second_motion.hpp"

#include <utility>

#include "conversion/reading/sentence_decoding.hpp"

namespace conversion {

void SecondMotion::EndGap(bool positionBefore, std::optional<long long> before, std::optional<long long> after) {
  Sentences& gap = sentences_[gap_];
  if (!gap.Empty()) {
    // An RMC without a time names no second.
    const bool hasRmc = gap.RmcMilliseconds.has_value();
    const bool namesBefore = hasRmc && gap.RmcMilliseconds == before;
    const bool namesAfter = hasRmc && gap.RmcMilliseconds == after;
    if (positionBefore && (namesBefore || (!hasRmc && !sentences_[latest_].Named))) {
      gap.Named = namesBefore;
      std::swap(latest_, gap_);
    } else if (namesAfter || !positionBefore) {
      gap.Named = namesAfter;
      std::swap(next_, gap_);
    }
    // An RMC of neither second, or sentences without one after a named second:
    // none of theirs is the fix's.
  }
  sentences_[gap_].Clear();
}

void SecondMotion::Advance() {
  std::swap(latest_, next_);
  sentences_[next_].Clear();
}

void SecondMotion::Fill(FixState& fix, long long* wrongChecksums) {
  const Sentences& latest = sentences_[latest_];
  const SavedLine& line = latest.Vtg.Empty() ? latest.Rmc : latest.Vtg;
  if (line.Empty()) {
    fix.CourseGiven = fix.SpeedGiven = false;
    fix.Course = fix.SpeedKmh = fix.SpeedMph = 0;
    return;
  }
  if (&line == &latest.Rmc) return DecodeRmcMotion(line.View(), fix);
  // An RMC's checksum was looked at as it came, for its date.
  if (wrongChecksums != nullptr && !ChecksumMatches(line.View())) ++*wrongChecksums;
  DecodeVtg(line.View(), fix);
}

}  // namespace conversion
