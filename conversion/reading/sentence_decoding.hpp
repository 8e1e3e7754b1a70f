#pragma once
// The three sentences a pushpin needs, decoded into a FixState, with what
// each sentence gave; and the positions of the logs that have no GGA. Each decoder reads the line once, left to right, from
// its first LogLineLength characters, whatever the talker in the sentence's
// name; none looks at the checksum, which ChecksumMatches tests apart.

#include <optional>
#include <string_view>

#include "conversion/reading/fix_state.hpp"

namespace conversion {

// In the final form the satellites-in-use field becomes SatelliteCount.
enum class GgaForm { InLoop, Final };

// What a $GPGGA line gives, before it is taken into a fix.
struct GgaValues : GgaFix {
  int SatellitesInUse = 0;
  char Quality = ' ';  // the fix quality as logged; '0' is no fix
};

// The two halves of DecodeGga, for a run that must write the pending fix
// between reading a line and taking it in. ReadGga leaves gga as it was
// when it returns false.
bool ReadGga(std::string_view line, GgaValues& gga);
void ApplyGga(const GgaValues& gga, GgaForm form, FixState& fix);

// ReadGga without its quicker ways for lines as receivers write them: what
// those ways must agree with.
bool ReadGgaByFields(std::string_view line, GgaValues& gga);

// Time, position and altitude by the sentence's comma-separated fields, up to
// its "*". False, with the fix left as it was, when the sentence has no
// position (an empty latitude or longitude), a time shorter than hhmm, or a
// numeric field holding something that cannot be part of a number.
bool DecodeGga(std::string_view line, GgaForm form, FixState& fix);

// Whether the sentence gives a position at all: a receiver without a fix
// leaves its latitude and longitude empty.
bool GgaHasPosition(std::string_view line);

// Whether a position sentence gives a fix at all: a GGA a latitude and a
// longitude; an RMC or GLL those and the status A (V: the receiver had no fix).
bool HasFix(std::string_view line, PositionSentence sentence);

// The position sentences of a log without GGA, read into what a GGA gives
// of them, with the time and position fields read by the GGA's rules: no
// altitude, no satellites in use, the source marked. False, with the values
// left as they were, when the sentence is no fix (see HasFix) or cannot be
// read as GGA's fields cannot. An RMC's speed and course are
// DecodeRmcMotion's.
bool ReadRmc(std::string_view line, GgaValues& position);
bool ReadGll(std::string_view line, GgaValues& position);

// The satellites used, as a list of integers from the first satellite field
// on. False, with the fix left as it was, when a satellite field is not an integer.
bool DecodeGsa(std::string_view line, FixState& fix);

// A receiver of several satellite systems writes one such sentence per
// system: read as above, its satellites not yet in the fix's list are
// appended to it, up to 12 (the list is emptied first when `startList` is
// set), and SatelliteCount is the list's length. False, with the fix left as
// it was, when a satellite field is not an integer.
bool PoolGsa(std::string_view line, bool startList, FixState& fix);

// Course and speed; a malformed or absent field gives 0, and not given.
void DecodeVtg(std::string_view line, FixState& fix);
// The same from a $GPRMC sentence, whose speed is in knots.
void DecodeRmcMotion(std::string_view line, FixState& fix);

// Whether the "*hh" that ends the sentence matches the exclusive or of the
// characters between its first one and the "*"; a sentence that does not end
// so (within its first LogLineLength characters) matches.
bool ChecksumMatches(std::string_view line);

// The number in the field after the n-th comma of the text, blanks before
// it and anything after a blank or "/" in it ignored; none when there is no
// such comma or the field is empty or not a number.
std::optional<float> CommaFieldNumber(std::string_view text, int n);

}  // namespace conversion
