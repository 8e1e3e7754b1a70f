#include "toolkit/windows/key_codes.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("KeyCodeWithoutCharacter") {
  struct Row { int vk; bool shift, ctrl; int expected; };
  const Row rows[] = {
      {38, false, false, 258}, {38, true, false, 262}, {38, false, true, 266}, {38, true, true, 266},
      {40, false, false, 259}, {40, true, false, 263}, {40, false, true, 267},
      {39, false, false, 260}, {39, true, false, 264}, {39, false, true, 268},
      {37, false, false, 261}, {37, true, false, 265}, {37, false, true, 269},
      {33, true, true, 262},   {34, false, false, 263}, {35, false, false, 271}, {41, true, false, 271},
      {36, false, true, 270},  {12, false, false, 285}, {101, true, false, 285}, {44, false, false, 300},
      {45, false, false, 272}, {46, false, true, 273},
      {96, false, false, 280}, {100, false, false, 284}, {102, false, false, 286}, {105, true, true, 289},
      {106, false, false, 294}, {107, false, false, 292}, {108, false, false, 292},
      {109, false, false, 290}, {110, false, false, 291}, {111, false, false, 293},
      {112, false, false, 301}, {131, false, false, 320}, {112, true, false, 321}, {131, true, false, 340},
      {112, false, true, 341}, {131, true, true, 360},
      {9, true, false, 274},   {9, false, false, 9},    {9, false, true, 9},
      {119, false, false, 308},
      {93, false, false, 93},  {0xBA, true, false, 0xBA},
  };
  for (const Row& r : rows) {
    CAPTURE(r.vk);
    CAPTURE(r.shift);
    CAPTURE(r.ctrl);
    CHECK(KeyCodeWithoutCharacter(r.vk, r.shift, r.ctrl) == r.expected);
  }
  SUBCASE("modifier and lock keys give no event") {
    for (int vk : {16, 17, 18, 19, 20, 144, 145}) {
      CAPTURE(vk);
      CHECK_FALSE(KeyCodeWithoutCharacter(vk, true, false).has_value());
    }
  }
}

TEST_CASE("KeyCodeWithCharacter") {
  struct Row { int vk, character; bool shift; int expected; };
  const Row rows[] = {
      {13, 13, false, 13}, {27, 27, false, 27}, {'A', 1, false, 1}, {'A', 'A', true, 'A'},
      {9, 9, false, 9},    {9, 9, true, 274},   {96, '0', false, 280}, {104, '8', false, 288},
      {106, '*', false, 294}, {110, '.', false, 291}, {111, '/', true, 293},
  };
  for (const Row& r : rows) {
    CAPTURE(r.vk);
    CAPTURE(r.character);
    CHECK(KeyCodeWithCharacter(r.vk, r.character, r.shift) == r.expected);
  }
}
