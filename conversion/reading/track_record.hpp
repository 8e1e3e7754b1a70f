#pragma once
// One record of a track, as reading the log hands it to the formats: the fix
// when the record fell due, and what the log had said by then. A value of
// its own, so that a record may be held, looked at or passed over before it
// is written.

#include <optional>

#include "conversion/reading/fix_state.hpp"

namespace conversion {

// What a fix is judged by before its record is made: whether it is a fix at
// all, where and when.
struct FixFacts {
  double Latitude = 0;  // signed degrees
  double Longitude = 0;
  std::optional<long long> MillisecondsOfDay;  // none when the log gave no time
  char Quality = '1';                          // GGA fix quality as logged
  bool EpochVoid = false;                      // an RMC of the same time said V
};

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
  // Day is counted from the log's first fix, day 0: the log has given no
  // date yet. The run shifts it once a date comes.
  bool DayCounted = false;
};

}  // namespace conversion
