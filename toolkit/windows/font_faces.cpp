#include "toolkit/windows/font_faces.hpp"

#include <array>

namespace toolkit {

namespace {

constexpr std::array<FontFace, 5> Faces{{
    {"Times New Roman", 18}, {"Arial", 34}, {"Courier New", 50}, {"Symbol", 2}, {"Wingdings", 2}}};

}  // namespace

std::optional<FontFace> FontFaceOf(int family) {
  if (family < 2 || family > 6) return std::nullopt;
  return Faces[family - 2];
}

}  // namespace toolkit
