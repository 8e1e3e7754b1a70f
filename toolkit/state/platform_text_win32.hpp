#pragma once
// Texts between the toolkit, which carries UTF-8, and the platform's wide calls.

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// Bytes that are no UTF-8 came from an ANSI call or a file written in the
// ANSI code page: they read as that code page's characters, so that they
// show as the ANSI calls showed them before and never vanish.
std::wstring PlatformText(std::string_view text);

std::string TextFromPlatform(std::wstring_view wide);

}  // namespace toolkit
