#include "toolkit/dialogs/tests/box_driver.hpp"

#include <deque>
#include <vector>

#include "toolkit/windows/tests/root_window_fixture.hpp"

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

struct Search {
  const std::string* Caption;
  HWND Found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (search.Caption != nullptr && Caption(window) != *search.Caption) return TRUE;
  search.Found = window;
  return FALSE;
}

HWND VisibleBox(const std::string* caption) {
  Search search{caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (Steps.empty()) {
    KillTimer(nullptr, Timer);
    Timer = 0;
    return;
  }
  const HWND box = VisibleBox(&Steps.front().Caption);
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
  if (const HWND any = VisibleBox(nullptr)) PostMessageA(any, WM_COMMAND, IDCANCEL, 0);
}

BOOL CALLBACK FindLongestStatic(HWND child, LPARAM lParam) {
  auto& best = *reinterpret_cast<std::string*>(lParam);
  const std::string text = Caption(child);
  if (ClassOf(child) == "Static" && text.size() > best.size()) best = text;
  return TRUE;
}

struct ButtonSearch {
  const std::string* Text;
  HWND Found;
};

BOOL CALLBACK FindButton(HWND child, LPARAM lParam) {
  auto& search = *reinterpret_cast<ButtonSearch*>(lParam);
  if (ClassOf(child) != "Button" || Caption(child) != *search.Text) return TRUE;
  search.Found = child;
  return FALSE;
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

std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, FindLongestStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::string Caption(HWND window) {
  std::vector<char> text(GetWindowTextLengthA(window) + 1, '\0');
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

void ClickButton(HWND box, const std::string& text) {
  ButtonSearch search{&text, nullptr};
  EnumChildWindows(box, FindButton, reinterpret_cast<LPARAM>(&search));
  if (search.Found == nullptr) return;
  RECT r{};
  GetWindowRect(search.Found, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void TypeText(const std::string& text) {
  std::vector<INPUT> inputs;
  for (const char c : text) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = static_cast<unsigned char>(c);
    in.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(in);
    in.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressKey(WORD virtualKey) { PressKeys({virtualKey}, {virtualKey}); }

}  // namespace toolkit::testing
