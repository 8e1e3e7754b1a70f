#include <string>
#include <string_view>
#include <vector>

#include "cli/main.hpp"
#include "text/wide_names.hpp"

// The arguments as the system keeps them, wide, so that any file name
// arrives whole; inside they are UTF-8 like every name.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> names;
  for (int i = 0; i < argc; ++i) names.push_back(text::Utf8FromWide<wchar_t>(argv[i]));
  // As the user typed it, so that the usage shows what works in their
  // shell: "pinwell-cli.exe", or "pinwell-cli" where the shell added the .exe.
  std::string_view program = names.empty() ? "" : std::string_view(names.front());
  program.remove_prefix(program.find_last_of("/\\") + 1);
  const std::vector<std::string_view> arguments(names.begin() + std::min<std::size_t>(names.size(), 1), names.end());
  return cli::Main(program.empty() ? "pinwell-cli.exe" : program, arguments);
}
