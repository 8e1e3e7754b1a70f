#include <string>
#include <vector>

#include "shell/main_program.hpp"
#include "shell/real_toolkit.hpp"

// The file manager starts the program with the log a user opened.
int main(int argc, char** argv) {
  const std::vector<std::string> logs(argv + (argc > 0 ? 1 : 0), argv + argc);
  return shell::RunPinwell(shell::RealToolkit(), logs);
}
