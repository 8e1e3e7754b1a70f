#pragma once
// The bytes of a pushpin text file: a header line and one line per record,
// each ended by CR LF. Inside the quoted Information column a lone CR
// separates the lines, so that the importing product shows a multi-line note.
// Both operations append to the caller's buffer.

#include <string>

#include "conversion/constants.hpp"
#include "conversion/reading/fix_state.hpp"

namespace conversion {

void WritePushpinHeader(NumberStyle style, std::string& out);

// One record named after fix number n. The speed and course lines appear when
// speedAvailable is set, the satellites line when SatelliteCount is above 0
// (never more than the 12 slots of the list), the altitude line when the
// position came from a GGA sentence.
void WritePushpinRecord(long long n, NumberStyle style, bool speedAvailable, const FixState& fix, std::string& out);

}  // namespace conversion
