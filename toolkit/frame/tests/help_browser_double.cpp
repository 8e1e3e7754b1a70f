// Stands in for a web browser: writes the command line it was started with
// into "command.txt" beside itself, and ends. The file appears complete, so
// that a test can wait for it to appear.

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

int main() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder(path, std::string_view(path, length).rfind('\\') + 1);
  const std::string partial = folder + "command.tmp";
  const char* line = GetCommandLineA();
  const HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  CloseHandle(file);
  MoveFileA(partial.c_str(), (folder + "command.txt").c_str());
  return 0;
}
