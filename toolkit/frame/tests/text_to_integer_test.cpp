#include <doctest/doctest.h>

#include <cstdint>
#include <string_view>

#include "toolkit/frame/text_to_integer.hpp"
#include "toolkit/state/errors.hpp"

using toolkit::ErrorQuery;
using toolkit::TextToInteger;

TEST_CASE("TextToInteger") {
  struct Row {
    std::string_view Text;
    std::int32_t Result;
    int Error;
  };
  const Row rows[] = {
      {"50", 50, 0},
      {"  50 more words", 50, 0},
      {"+7", 7, 0},
      {"-0", 0, 0},
      {"-12", -12, 0},
      {"2147483647", 2147483647, 0},
      {"-2147483647", -2147483647, 0},
      {"0000000001", 1, 0},
      {"-", 0, 0},
      {"+", 0, 0},
      {"", 0, 10},
      {"    ", 0, 10},
      {"abc", 0, 12},
      {"12a", 0, 12},
      {"1.5", 0, 12},
      {"--5", 0, 12},
      {"5-", 0, 12},
      {"2147483648", 0, 4},
      {"-2147483648", 0, 4},
      {"3000000000", 0, 4},
      {"2999999999", 0, 4},
      {"99999999999", 0, 4},
      {"00000000001", 0, 4},
  };
  ErrorQuery(1);
  for (const Row& row : rows) {
    CAPTURE(row.Text);
    std::int32_t result = 99;
    CHECK(TextToInteger(row.Text, result) == (row.Error == 0));
    CHECK(result == row.Result);
    CHECK(ErrorQuery(1) == row.Error);
  }
}
