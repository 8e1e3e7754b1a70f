#include "toolkit/tests/box_driver.hpp"

#include <array>
#include <deque>

#include "text/wide_names.hpp"
#include "toolkit/tests/root_window_fixture.hpp"

namespace toolkit::testing {

namespace {

struct Step {
  std::string Caption;
  std::function<void(HWND)> Action;
};

std::deque<Step> Steps;
bool Missed = false;
UINT_PTR Timer = 0;
DWORD WaitingSince = 0;
constexpr DWORD Patience = 10000;

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A visible window of this class with this caption (any caption when empty).
struct Search {
  std::string_view ClassName;
  std::string_view Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  if (ClassOf(window) != search.ClassName || !IsWindowVisible(window)) return TRUE;
  if (!search.Caption.empty() && WindowText(window) != search.Caption) return TRUE;
  search.Found = window;
  return FALSE;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (Steps.empty()) {
    KillTimer(nullptr, Timer);
    Timer = 0;
    return;
  }
  const HWND box = VisibleBox(Steps.front().Caption);
  const HWND focus = GetFocus();
  if (box != nullptr && focus != nullptr && (focus == box || IsChild(box, focus))) {
    const Step step = std::move(Steps.front());
    Steps.pop_front();
    WaitingSince = GetTickCount();
    step.Action(box);
    return;
  }
  if (GetTickCount() - WaitingSince < Patience) return;
  // Nobody is coming: end whatever box is up so that the test can go on and fail.
  Missed = true;
  Steps.clear();
  if (const HWND any = VisibleBox()) PostMessageA(any, WM_COMMAND, IDCANCEL, 0);
}

BOOL CALLBACK FindLongestStatic(HWND child, LPARAM lParam) {
  auto& best = *reinterpret_cast<std::string*>(lParam);
  const std::string text = WindowText(child);
  if (ClassOf(child) == "Static" && text.size() > best.size()) best = text;
  return TRUE;
}

}  // namespace

void WhenBoxAppears(std::string caption, std::function<void(HWND)> action) {
  Steps.push_back({std::move(caption), std::move(action)});
  if (Timer == 0) {
    WaitingSince = GetTickCount();
    Timer = SetTimer(nullptr, 0, 20, Poll);
  }
}

bool AllStepsRan() {
  const bool ran = Steps.empty() && !Missed;
  Steps.clear();
  Missed = false;
  return ran;
}

HWND VisibleBox(std::string_view caption) {
  Search search{"#32770", caption};
  EnumThreadWindows(GetCurrentThreadId(), FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, FindLongestStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

void ClickButton(HWND box, const std::string& text) {
  Search search{"Button", text};
  EnumChildWindows(box, FindWindowOf, reinterpret_cast<LPARAM>(&search));
  if (search.Found == nullptr) return;
  RECT r{};
  GetWindowRect(search.Found, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void TypeText(std::string_view text) {
  // A key at a time, as a typist's keys reach another process's window too;
  // a character beyond U+FFFF comes as its two units.
  for (const wchar_t unit : text::WideFromUtf8<wchar_t>(text)) {
    std::array<INPUT, 2> inputs{};
    for (INPUT& in : inputs) {
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = static_cast<WORD>(unit);
      in.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
}

void PressKey(WORD virtualKey) { PressKeys({virtualKey}, {virtualKey}); }

}  // namespace toolkit::testing
