#include "cli/console_text.hpp"

#include <cerrno>
#include <string>

#include <io.h>
#include <windows.h>

#include "text/wide_names.hpp"

namespace cli {

bool WriteText(std::FILE* stream, std::string_view text) {
  if (std::fflush(stream) != 0) return false;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = text::WideFromUtf8<wchar_t>(text);
    DWORD written = 0;
    if (WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) return true;
    errno = EIO;
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  return std::fflush(stream) == 0 && written;
}

}  // namespace cli
