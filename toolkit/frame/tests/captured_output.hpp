#pragma once
// What a call writes to standard output, caught at the descriptor level.

#include <doctest/doctest.h>

#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#ifdef _WIN32
inline constexpr std::string_view kNewline = "\r\n";  // standard output is a text stream
#else
inline constexpr std::string_view kNewline = "\n";
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
  for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) text += static_cast<char>(c);
  std::fclose(capture);
  return text;
}
