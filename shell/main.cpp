#include "shell/main_program.hpp"
#include "shell/real_toolkit.hpp"

int main() { return shell::RunPinwell(shell::RealToolkit()); }
