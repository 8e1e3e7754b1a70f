#pragma once
// The records of a log before its first date, whose days are counted from
// its first fix: they wait in a temporary file, so that memory stays flat
// however long a log runs before it gives a date, and follow in their order
// once the date tells their days.

#include <functional>
#include <optional>
#include <string>

#include "conversion/files/spool_file.hpp"
#include "conversion/reading/track_record.hpp"

namespace conversion {

// The record with its counted day made a date by the shift; without a shift
// it has no day at all.
void DateRecord(TrackRecord& record, const std::optional<long long>& shift);

class UndatedRecords {
 public:
  bool Waiting() const { return count_ > 0; }
  // False when the temporary file cannot be made.
  bool Add(const TrackRecord& record, bool startsSegment);
  // Each record in its order, dated by the shift, handed to `take` with
  // whether it starts a segment; false when reading back failed (Reason) or
  // `take` did.
  bool Release(const std::optional<long long>& shift, const std::function<bool(TrackRecord&, bool)>& take);
  const std::string& Reason() const { return spool_.Reason(); }

 private:
  SpoolFile spool_;
  bool open_ = false;
  long long count_ = 0;
};

}  // namespace conversion
