#include <string>
#include <vector>

#include "shell/main_program.hpp"
#include "shell/real_toolkit.hpp"
#include "text/wide_names.hpp"

// The file manager starts the program with the log a user opened. The names
// come wide, as the system keeps them, so that any file name arrives whole;
// inside they are UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> logs;
  for (int i = 1; i < argc; ++i) logs.push_back(text::Utf8FromWide<wchar_t>(argv[i]));
  return shell::RunPinwell(shell::RealToolkit(), logs);
}
