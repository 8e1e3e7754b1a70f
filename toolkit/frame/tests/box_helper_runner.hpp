#pragma once
// Starts frame_box_helper (beside the test program) in a directory and waits
// for it; the helper closes its own boxes.

#include <windows.h>

#include <string>

struct HelperRun {
  bool Finished = false;
  DWORD ExitCode = 0;
};

inline HelperRun RunBoxHelper(const std::string& arguments, const std::string& directory) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string program(self);
  program = program.substr(0, program.find_last_of("\\/") + 1) + "frame_box_helper.exe";
  std::string commandLine = "\"" + program + "\" " + arguments;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  HelperRun run;
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &process)) {
    return run;
  }
  run.Finished = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!run.Finished) TerminateProcess(process.hProcess, 99);
  GetExitCodeProcess(process.hProcess, &run.ExitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}
