#pragma once
// Which sentences of a log count. A GPS receiver writes $GP sentences; a
// receiver of several satellite systems writes its position with another
// talker ($GNGGA, $GLGGA, $GAGGA, $BDGGA, ...) and a $..GSA per system after
// each. The talker of the log's first position sentence decides, so that a
// log of $GP sentences is read as it always was.

#include <array>
#include <cstdint>
#include <string_view>

namespace conversion {

namespace talkers {
constexpr bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
// The three letters after the talker as one number, for a switch: every
// line goes through here.
constexpr std::uint32_t Type(std::string_view letters) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(letters[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(letters[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(letters[2])) << 16;
}
}  // namespace talkers

enum class SentenceKind {
  Other,
  Position,              // GGA of the log's talker
  OtherTalkerPosition,   // GGA of another talker: passed over
  Satellites,            // GSA
  Course,                // VTG
  Date,                  // RMC of any talker
};

class TalkerRules {
 public:
  // Until the first position sentence of any talker, only $GP sentences count.
  SentenceKind Kind(std::string_view line) const {
    using talkers::IsCapital;
    using talkers::Type;
    if (line.size() < 6 || line[0] != '$' || !IsCapital(line[1]) || !IsCapital(line[2])) return SentenceKind::Other;
    const bool known = talker_[0] != 0;
    const bool own = known ? line[1] == talker_[0] && line[2] == talker_[1] : line[1] == 'G' && line[2] == 'P';
    switch (Type(line.substr(3, 3))) {
      case Type("GGA"):
        return own || !known ? SentenceKind::Position : SentenceKind::OtherTalkerPosition;
      case Type("GSA"):
        return own || Pooled() ? SentenceKind::Satellites : SentenceKind::Other;
      case Type("VTG"):
        return own ? SentenceKind::Course : SentenceKind::Other;
      case Type("RMC"):
        return SentenceKind::Date;
    }
    return SentenceKind::Other;
  }

  // A position sentence that counts: the first one gives the log its talker.
  void NotePosition(std::string_view line) {
    if (talker_[0] == 0) talker_ = {line[1], line[2]};
  }

  // Whether the satellite sentences between two positions are pooled into one
  // list (a receiver of several systems) rather than each giving the whole list.
  bool Pooled() const { return talker_[0] != 0 && Talker() != "GP"; }

  // "GP", "GN", ...; empty before the first position sentence.
  std::string_view Talker() const { return talker_[0] == 0 ? std::string_view() : std::string_view(talker_.data(), 2); }

 private:
  std::array<char, 2> talker_{};
};

}  // namespace conversion
