#pragma once
// Which sentences of a log count. A GPS receiver writes $GP sentences; a
// receiver of several satellite systems writes its position with another
// talker ($GNGGA, $GLGGA, $GAGGA, $BDGGA, ...) and a $..GSA per system after
// each. The talker of the log's first position sentence decides, so that a
// log of $GP sentences is read as it always was.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "conversion/reading/fix_state.hpp"

namespace conversion {

namespace talkers {
constexpr bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
// The three letters of a sentence type as one number, for a switch.
constexpr std::uint32_t Type(std::string_view letters) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(letters[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(letters[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(letters[2])) << 16;
}
// The same for the letters after "$" and the talker, in one load: every line
// goes through here.
inline std::uint32_t TypeOf(std::string_view line) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint32_t word;
    std::memcpy(&word, line.data() + 2, 4);
    return word >> 8;
  }
  return Type(line.substr(3, 3));
}
}  // namespace talkers

enum class SentenceKind {
  Other,
  Position,              // GGA (RMC, GLL) of the log's talker
  OtherTalkerPosition,   // the same of another talker: passed over
  Satellites,            // GSA
  Course,                // VTG
  Date,                  // RMC or ZDA of any talker
};

class TalkerRules {
 public:
  // Until the first position sentence of any talker, only $GP sentences count.
  SentenceKind Kind(std::string_view line) const {
    using talkers::IsCapital;
    using talkers::Type;
    using talkers::TypeOf;
    if (line.size() < 6 || line[0] != '$') return SentenceKind::Other;
    const bool own = line[1] == talker_[0] && line[2] == talker_[1];
    SentenceKind kind = SentenceKind::Date;
    switch (TypeOf(line)) {
      case Type("GGA"):
        kind = own || !known_ ? SentenceKind::Position : SentenceKind::OtherTalkerPosition;
        break;
      case Type("GSA"):
        kind = own || pooled_ ? SentenceKind::Satellites : SentenceKind::Other;
        break;
      case Type("VTG"):
        kind = own ? SentenceKind::Course : SentenceKind::Other;
        break;
      case Type("RMC"):
      case Type("ZDA"):
        break;
      default:
        return SentenceKind::Other;
    }
    return IsCapital(line[1]) && IsCapital(line[2]) ? kind : SentenceKind::Other;
  }

  // For a log without GGA, whose positions are its RMC (or GLL) sentences,
  // of the talker of the first. An RMC gives its own speed, course and date;
  // neither says which satellites were used, so beyond them only a ZDA (a
  // date) and, in a log of GLL, a VTG count.
  SentenceKind KindWithoutGga(std::string_view line, PositionSentence positions) const {
    using talkers::IsCapital;
    using talkers::Type;
    using talkers::TypeOf;
    if (line.size() < 6 || line[0] != '$' || !IsCapital(line[1]) || !IsCapital(line[2])) return SentenceKind::Other;
    const std::uint32_t type = TypeOf(line);
    const bool own = line[1] == talker_[0] && line[2] == talker_[1];
    if (type == Type(positions == PositionSentence::Rmc ? "RMC" : "GLL"))
      return own || !known_ ? SentenceKind::Position : SentenceKind::OtherTalkerPosition;
    if (type == Type("VTG") && own && positions == PositionSentence::Gll) return SentenceKind::Course;
    return type == Type("ZDA") ? SentenceKind::Date : SentenceKind::Other;
  }

  // A position sentence that counts: the first one gives the log its talker.
  void NotePosition(std::string_view line) {
    if (known_) return;
    known_ = true;
    pooled_ = line.substr(1, 2) != "GP";
    talker_ = {line[1], line[2]};
  }

  // Whether the satellite sentences between two positions are pooled into one
  // list (a receiver of several systems) rather than each giving the whole list.
  bool Pooled() const { return pooled_; }

  // "GP", "GN", ...; empty before the first position sentence.
  std::string_view Talker() const { return known_ ? std::string_view(talker_.data(), 2) : std::string_view(); }

 private:
  // Until the first position sentence, the sentences of GPS count.
  std::array<char, 2> talker_ = {'G', 'P'};
  bool known_ = false;
  bool pooled_ = false;
};

}  // namespace conversion
