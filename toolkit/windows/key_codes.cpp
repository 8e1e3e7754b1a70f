#include "toolkit/windows/key_codes.hpp"

namespace toolkit {

namespace {

constexpr int ShiftTabCode = 274;

bool IsKeypadKey(int vk) { return vk >= 96 && vk <= 111; }

// Keypad 0..9, *, +, separator, -, ., / (virtual keys 96..111).
int KeypadCode(int vk) {
  switch (vk) {
    case 106: return 294;
    case 107: case 108: return 292;
    case 109: return 290;
    case 110: return 291;
    case 111: return 293;
    default: return 280 + (vk - 96);
  }
}

// Arrows: plain, with Shift, with Ctrl.
struct ArrowCodes {
  int VirtualKey;
  int Plain;
  int Shifted;
  int Controlled;
};
constexpr ArrowCodes Arrows[] = {
    {38, 258, 262, 266},  // Up
    {40, 259, 263, 267},  // Down
    {39, 260, 264, 268},  // Right
    {37, 261, 265, 269},  // Left
};

bool ProducesNoEvent(int vk) { return (vk >= 16 && vk <= 20) || vk == 144 || vk == 145; }

}  // namespace

std::optional<int> KeyCodeWithoutCharacter(int vk, bool shift, bool ctrl) {
  if (ProducesNoEvent(vk)) return std::nullopt;
  if (IsKeypadKey(vk)) return KeypadCode(vk);
  for (const ArrowCodes& a : Arrows) {
    if (a.VirtualKey == vk) return ctrl ? a.Controlled : shift ? a.Shifted : a.Plain;
  }
  if (vk >= 112 && vk <= 131) return (ctrl ? 341 : shift ? 321 : 301) + (vk - 112);
  switch (vk) {
    case 9: return shift && !ctrl ? ShiftTabCode : 9;
    case 12: return 285;
    case 33: return 262;
    case 34: return 263;
    case 35: case 41: return 271;
    case 36: return 270;
    case 44: return 300;
    case 45: return 272;
    case 46: return 273;
    default: return vk;
  }
}

int KeyCodeWithCharacter(int vk, int character, bool shift) {
  if (IsKeypadKey(vk)) return KeypadCode(vk);
  if (vk == 9 && shift) return ShiftTabCode;
  return character;
}

}  // namespace toolkit
