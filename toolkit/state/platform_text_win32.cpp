#include "toolkit/state/platform_text_win32.hpp"

#include "text/wide_names.hpp"

namespace toolkit {

std::wstring PlatformText(std::string_view text) {
  return text::WideFromText<wchar_t>(text, [](std::string_view run, std::wstring& wide) {
    const int length = static_cast<int>(run.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, run.data(), length, nullptr, 0);
    const std::size_t at = wide.size();
    wide.resize(at + units);
    MultiByteToWideChar(CP_ACP, 0, run.data(), length, wide.data() + at, units);
  });
}

std::string TextFromPlatform(std::wstring_view wide) { return text::Utf8FromWide(wide); }

}  // namespace toolkit
