#pragma once
// What a call writes to standard output, caught at the descriptor level;
// carriage returns that a Windows text stream may add are left out.

#include <doctest/doctest.h>

#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

template <typename Call>
std::string CapturedOutput(Call call) {
  std::fflush(stdout);
  std::FILE* capture = std::tmpfile();
  REQUIRE(capture != nullptr);
  const int saved = dup(fileno(stdout));
  dup2(fileno(capture), fileno(stdout));
  call();
  std::fflush(stdout);
  dup2(saved, fileno(stdout));
  close(saved);
  std::rewind(capture);
  std::string text;
  for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) {
    if (c != '\r') text += static_cast<char>(c);
  }
  std::fclose(capture);
  return text;
}
