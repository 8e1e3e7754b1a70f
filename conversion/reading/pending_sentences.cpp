#include "conversion/reading/pending_sentences.hpp"

#include "conversion/reading/sentence_decoding.hpp"

namespace conversion {

std::string_view PendingSatellites::Examined(std::size_t i) const {
  const std::string_view line = lines_[i].View();
  if (wrongChecksums_ != nullptr && !ChecksumMatches(line)) ++*wrongChecksums_;
  return line;
}

// Whether the group gives the fix's list.
bool PendingSatellites::DecodeGroup(std::size_t first, std::size_t end, FixState& fix) const {
  if (!pooled_) return DecodeGsa(Examined(first), fix);
  // A group that began before the last settling adds to the list it gave then.
  bool listed = !startsGroup_[first] && openGroupListed_;
  for (std::size_t i = first; i < end; ++i) listed = PoolGsa(Examined(i), !listed, fix) || listed;
  return listed;
}

void PendingSatellites::Settle(FixState& fix) {
  for (std::size_t end = count_; end > 0;) {
    std::size_t first = end - 1;
    while (first > 0 && !startsGroup_[first]) --first;
    if (DecodeGroup(first, end, fix)) {
      if (end == count_ && groupOpen_) openGroupListed_ = true;
      break;
    }
    end = first;
  }
  count_ = 0;
}

}  // namespace conversion
