#include <algorithm>
#include <string_view>
#include <vector>

#include "cli/main.hpp"

int main(int argc, char** argv) {
  const std::string_view startedAs = argc > 0 ? argv[0] : "";
  const std::string_view program = startedAs.substr(startedAs.rfind('/') + 1);
  const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
  return cli::Main(program.empty() ? "pinwell" : program, arguments);
}
