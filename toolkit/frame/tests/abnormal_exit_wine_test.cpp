#include <windows.h>

#include <array>

#include <doctest/doctest.h>

#include "toolkit/tests/scratch_directory.hpp"

namespace {

// frame_box_helper (beside this test program) runs one toolkit operation and
// closes the boxes it shows itself, one "caption|text|icon" line each in a
// record.
struct Case {
  const char* What;
  const char* Configuration;  // kestra.ini; none when null
  const char* Mode;
  const char* Arguments;  // after the mode and the record's path
  DWORD ExitCode;
  const char* Record;
};

constexpr std::array Cases{
    Case{"the box names the code and the message, and the exit code is the code", nullptr,
         "abnormal", "3 \"disk full\"", 3, "Kestrafolio|Abnormal exit (code 3) : disk full|error\n"},
    Case{"trailing blanks of the message are dropped; a long code keeps its digits", nullptr,
         "abnormal", "1234 \"no room   \"", 1234, "Kestrafolio|Abnormal exit (code 1234) : no room|error\n"},
    Case{"a blank message ends the process without a box", nullptr, "abnormal", "5 \"   \"", 5, ""},
    Case{"a VER key shows the version box and ends the start with exit code 0",
         "PLNAME=x.plt\r\nVersion=\r\nLFNGEN=50\r\n", "start", "", 0,
         "Kestrafolio|Abnormal exit (code 0) : Kestrafolio version 2.30e|error\n"},
    Case{"VE is no version request", "VE=1\n", "start", "", 0, "returned\n"},
    Case{"error report mode 4: the box, then OK goes on and Cancel ends with 0", nullptr, "errorbox", "", 0,
         "Library Error|Error=1001:Invalid menu item|exclamation\n"
         "continued 1001 answer 1\n"
         "Library Error|Error=  12:Invalid character detected|exclamation\n"},
    Case{"a window class that cannot be registered: the box, then exit code 0", nullptr, "register", "", 0,
         "Kestrafolio Window|Failed to register class - aborting.|error\n"},
    Case{"a client window that cannot be made: the box, then exit code 0", nullptr, "create", "", 0,
         "Kestrafolio Window|Failed to create window - aborting.|error\n"},
};

std::string HelperProgram() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string program(self);
  return program.substr(0, program.find_last_of("\\/") + 1) + "frame_box_helper.exe";
}

}  // namespace

TEST_CASE("AbnormalExit, the version request, error report mode 4 and the root window's failures, seen in their boxes") {
  for (const Case& c : Cases) {
    CAPTURE(c.What);
    const ScratchDirectory dir("box-helper");
    const std::filesystem::path record = dir / "record.txt";
    if (c.Configuration != nullptr) WriteFileBytes(dir / "kestra.ini", c.Configuration);

    const std::string program = HelperProgram();
    std::string commandLine =
        "\"" + program + "\" " + c.Mode + " \"" + record.string() + "\" " + c.Arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    REQUIRE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           dir.Path.string().c_str(), &startup, &process));
    const bool finished = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!finished) TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    REQUIRE(finished);
    CHECK(exitCode == c.ExitCode);
    CHECK(FileBytes(record) == c.Record);
  }
}
