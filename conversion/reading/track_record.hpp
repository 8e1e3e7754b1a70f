#pragma once
// One record of a track, as reading the log hands it to the formats: the fix
// when the record fell due, and what the log had said by then. A value of
// its own, so that a record may be held, looked at or passed over before it
// is written.

#include <optional>

#include "conversion/reading/fix_state.hpp"

namespace conversion {

struct TrackRecord {
  // The position sentence whose fix it shows, counted from 1 among those read.
  long long Number = 0;
  FixState Fix;
  // Whether the log had given a course sentence by the time the record fell
  // due: the pushpin file shows speed and course from then on.
  bool CourseSentenceSeen = false;
  // Days since 1970-01-01 of the fix's time, where the reading looks for
  // days and knows the day.
  std::optional<long long> Day;
};

}  // namespace conversion
