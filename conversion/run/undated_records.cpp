#include "conversion/run/undated_records.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace conversion {

namespace {

struct Spooled {
  TrackRecord Record;
  bool StartsSegment = false;
};
// Written and read back as its bytes.
static_assert(std::is_trivially_copyable_v<Spooled>);

}  // namespace

void DateRecord(TrackRecord& record, const std::optional<long long>& shift) {
  if (!record.DayCounted) return;
  if (shift) *record.Day += *shift;
  else record.Day.reset();
  record.DayCounted = false;
}

bool UndatedRecords::Add(const TrackRecord& record, bool startsSegment) {
  if (!open_ && !spool_.Open()) return false;
  open_ = true;
  const Spooled waiting{record, startsSegment};
  spool_.Write({reinterpret_cast<const char*>(&waiting), sizeof waiting});
  ++count_;
  return true;
}

bool UndatedRecords::Release(const std::optional<long long>& shift,
                             const std::function<bool(TrackRecord&, bool)>& take) {
  if (count_ == 0) return true;
  count_ = 0;
  // A block of the file may end inside a record.
  std::array<char, sizeof(Spooled)> bytes;
  std::size_t filled = 0;
  return spool_.ReadBack([&](std::string_view block) {
    while (!block.empty()) {
      const std::size_t part = std::min(bytes.size() - filled, block.size());
      std::memcpy(bytes.data() + filled, block.data(), part);
      block.remove_prefix(part);
      filled += part;
      if (filled < bytes.size()) break;
      filled = 0;
      Spooled waiting;
      std::memcpy(&waiting, bytes.data(), sizeof waiting);
      DateRecord(waiting.Record, shift);
      if (!take(waiting.Record, waiting.StartsSegment)) return false;
    }
    return true;
  });
}

}  // namespace conversion
