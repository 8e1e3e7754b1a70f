#include "toolkit/windows/toolbar_resource.hpp"

#include <array>
#include <cstdint>

#include <doctest/doctest.h>

#include "toolkit/windows/resource_words.hpp"

using namespace toolkit;

TEST_CASE("ParseToolbarResource") {
  SUBCASE("the program's toolbar: five buttons, two separators") {
    const std::array<std::uint8_t, 22> bytes{16, 0, 16, 0, 0x42, 0x9C, 0x43, 0x9C, 0, 0,
                                             0x53, 0x9C, 0x54, 0x9C, 0, 0, 0x4A, 0x9C, 0, 0, 0, 0};
    const ToolbarResource t = ParseToolbarResource(ResourceWords(bytes));
    CHECK(t.ImageWidth == 16);
    CHECK(t.ImageHeight == 16);
    REQUIRE(t.Items.size() == 7);
    const std::array<int, 7> commands{40002, 40003, 0, 40019, 40020, 0, 40010};
    const std::array<int, 7> images{0, 1, -1, 2, 3, -1, 4};
    for (std::size_t i = 0; i < 7; ++i) {
      CAPTURE(i);
      CHECK(t.Items[i].Command == commands[i]);
      CHECK(t.Items[i].Image == images[i]);
    }
    CHECK(ToolbarButtonSize(t).Width == 22);
    CHECK(ToolbarButtonSize(t).Height == 22);
  }
  SUBCASE("the list ends at the first two zeros, not at one") {
    const std::array<std::uint16_t, 9> words{24, 20, 5, 0, 6, 0, 0, 7, 0};
    const ToolbarResource t = ParseToolbarResource(words);
    REQUIRE(t.Items.size() == 3);
    CHECK(t.Items[1].Command == 0);
    CHECK(t.Items[2].Image == 1);
  }
  SUBCASE("a list without its end stops at the end of the resource") {
    const std::array<std::uint16_t, 4> words{16, 16, 9, 8};
    CHECK(ParseToolbarResource(words).Items.size() == 2);
  }
  SUBCASE("a resource too short for the image size gives no items") {
    const std::array<std::uint16_t, 1> words{16};
    CHECK(ParseToolbarResource(words).Items.empty());
  }
  SUBCASE("an odd last byte is not a word") {
    const std::array<std::uint8_t, 3> bytes{1, 2, 3};
    CHECK(ResourceWords(bytes) == std::vector<std::uint16_t>{0x0201});
  }
}

TEST_CASE("ToolbarSideAt and ToolbarPlaceSize") {
  struct Row { int position; ToolbarSide side; int width, height; };
  const std::array<std::uint16_t, 5> words{16, 16, 1, 0, 0};
  const ToolbarResource t = ParseToolbarResource(words);
  const Row rows[] = {{1, ToolbarSide::Top, 512, 22},    {4, ToolbarSide::Bottom, 512, 22},
                      {2, ToolbarSide::Left, 25, 256},   {3, ToolbarSide::Right, 25, 256},
                      {0, ToolbarSide::Top, 512, 22},    {5, ToolbarSide::Top, 512, 22},
                      {-1, ToolbarSide::Top, 512, 22}};
  for (const Row& r : rows) {
    CAPTURE(r.position);
    CHECK(ToolbarSideAt(r.position) == r.side);
    CHECK(ToolbarPlaceSize(t, r.side, 512, 256).Width == r.width);
    CHECK(ToolbarPlaceSize(t, r.side, 512, 256).Height == r.height);
  }
}
