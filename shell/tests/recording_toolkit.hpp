#pragma once
// A toolkit double: records every call as one line of text, answers the file
// dialogs and the event loop from a script.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <doctest/doctest.h>

#include "shell/toolkit_interface.hpp"
#include "text/text_utilities.hpp"
#include "toolkit/codes.hpp"
#include "toolkit/dialogs/file_select_setup.hpp"

// A failed comparison of recorded calls shows them, one a line.
template <>
struct doctest::StringMaker<std::vector<std::string>> {
  static doctest::String convert(const std::vector<std::string>& calls) {
    std::string text = "{";
    for (const std::string& call : calls) text += "\n  " + call;
    return (text + "\n}").c_str();
  }
};

namespace shell::testing {

struct Event {
  int Type;
  int Value1 = -1;
};

class RecordingToolkit final : public Toolkit {
 public:
  std::vector<std::string> Calls;
  // The names the user picks in the coming file dialogs; nullopt cancels.
  std::deque<std::optional<std::string>> FileAnswers;
  // The file types the user picks in the coming dialogs that offer them.
  std::deque<int> TypeAnswers;
  // The answers to the coming message boxes, as DialogInfo code 4 gives
  // them; 1 (OK, Yes) when none is left.
  std::deque<int> BoxAnswers;
  std::deque<Event> Events;
  // The files of a FilesDropped event.
  std::vector<std::string> Dropped;
  // The save dialog asks before it returns the name of a file that exists,
  // answered from BoxAnswers.
  bool DialogAsks = false;
  // The error the help viewer raises, and the file it would open.
  int HelpError = 0;
  std::string HelpPage;

  void ToolkitStart(std::string_view name) override { Record("ToolkitStart(" + Quoted(name) + ")"); }
  void OpenRootWindow(const toolkit::WindowSpec& w) override {
    Record("OpenRootWindow(" + Numbers({w.Flags, w.X, w.Y, w.Width, w.Height, w.MenuId}) + ", " +
           Field(w.Title.View()) + ")");
  }
  void StatusBarParts(std::span<const int> widths) override {
    Record("StatusBarParts(" + Numbers(std::vector<int>(widths.begin(), widths.end())) + ")");
  }
  void ToolbarCreate(int resource) override { Record("ToolbarCreate(" + Numbers({resource}) + ")"); }
  void NextEvent(int& type, toolkit::EventRecord& record) override {
    // A script that runs out closes the window, so that a faulty loop ends.
    const Event event = Events.empty() ? Event{toolkit::EventType::CloseAsked} : Events.front();
    if (!Events.empty()) Events.pop_front();
    type = event.Type;
    record = {};
    record.Value1 = event.Value1;
  }
  void CloseRootWindow() override { Record("CloseRootWindow()"); }
  void EventEnable(int type, int on) override { Record("EventEnable(" + Numbers({type, on}) + ")"); }
  void DroppedFileName(int index, std::span<char> fileName) override {
    std::fill(fileName.begin(), fileName.end(), ' ');
    if (index < 1 || index > static_cast<int>(Dropped.size())) return;
    const std::string& name = Dropped[static_cast<std::size_t>(index - 1)];
    std::copy_n(name.begin(), std::min(name.size(), fileName.size()), fileName.begin());
  }

  void StatusBarText(int part, std::string_view text) override {
    Record("StatusBarText(" + Numbers({part}) + ", " + Quoted(text) + ")");
  }
  void MenuItemState(int item, int kind, int value) override {
    Record("MenuItemState(" + Numbers({item, kind, value}) + ")");
  }
  void ClearClientArea() override { Record("ClearClientArea()"); }
  void TextAt(int x, int y, std::string_view text) override {
    Record("TextAt(" + Numbers({x, y}) + ", " + Quoted(text) + ")");
  }

  void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                  int* filterIndex) override {
    const std::string shown(text::TrimTrailing({fileName.data(), fileName.size()}));
    Record("FileSelect(" + Quoted(filter) + ", " + Numbers({flags}) + ", " + Quoted(shown) + ", " + Quoted(title) +
           (filterIndex != nullptr ? ", " + Numbers({*filterIndex}) : std::string()) + ")");
    std::optional<std::string> answer;
    if (!FileAnswers.empty()) {
      answer = FileAnswers.front();
      FileAnswers.pop_front();
    }
    int type = filterIndex != nullptr ? *filterIndex : 1;
    if (answer && filterIndex != nullptr && !TypeAnswers.empty()) {
      type = TypeAnswers.front();
      TypeAnswers.pop_front();
    }
    // An empty answer presses Save on the name the dialog shows, which
    // follows a type chosen as the real dialog's does.
    if (answer && answer->empty()) {
      const auto followed = (flags & toolkit::SelectFollowType) != 0 && type != (filterIndex ? *filterIndex : 1)
                                ? toolkit::NameForType(shown, toolkit::PrepareFilter(filter), type)
                                : std::nullopt;
      answer = followed.value_or(shown);
    }
    // The save dialog's own question before replacing; a No returns to the
    // dialog, where this user cancels.
    const bool asks = (flags & toolkit::SelectSave) != 0 && (flags & toolkit::SelectPrompt) != 0;
    std::error_code unreadable;
    if (answer && DialogAsks && asks && std::filesystem::is_regular_file(*answer, unreadable)) {
      Record("DialogAsked(" + Quoted(*answer) + ")");
      if (NextBoxAnswer() != toolkit::Answer::Yes) answer.reset();
    }
    if (answer && filterIndex != nullptr) *filterIndex = type;
    if (answer) {
      std::fill(fileName.begin(), fileName.end(), ' ');
      std::copy_n(answer->begin(), std::min(answer->size(), fileName.size()), fileName.begin());
    }
    commonResult_ = answer ? 1 : 0;
  }
  void MessageBoxShow(int buttons, int icon, int defaultButton, std::string_view message,
                      std::string_view title) override {
    Record("MessageBoxShow(" + Numbers({buttons, icon, defaultButton}) + ", " + Quoted(message) + ", " +
           Quoted(title) + ")");
    commonResult_ = NextBoxAnswer();
  }
  int DialogInfo(int code) override { return code == 4 ? commonResult_ : 0; }
  void DialogLoad(int id) override { Record("DialogLoad(" + Numbers({id}) + ")"); }
  void DialogPutText(int field, std::string_view text) override {
    Record("DialogPutText(" + Numbers({field}) + ", " + Field(text) + ")");
  }
  void DialogShowModal(int x, int y, int focus, int mode) override {
    Record("DialogShowModal(" + Numbers({x, y, focus, mode}) + ")");
  }
  void DialogUnload() override { Record("DialogUnload()"); }
  void HelpShow(std::string_view document) override {
    Record("HelpShow(" + Quoted(document) + ")");
    lastError_ = HelpError;
  }
  std::string HelpDocumentPath(std::string_view) override { return HelpPage; }
  int ErrorQuery(int) override { return std::exchange(lastError_, 0); }

  // The calls recorded since the last Take.
  std::vector<std::string> Take() { return std::exchange(Calls, {}); }

 private:
  int commonResult_ = 0;
  int lastError_ = 0;

  int NextBoxAnswer() {
    const int answer = BoxAnswers.empty() ? 1 : BoxAnswers.front();
    if (!BoxAnswers.empty()) BoxAnswers.pop_front();
    return answer;
  }

  void Record(std::string call) { Calls.push_back(std::move(call)); }
  // Texts drawn or shown are recorded whole, trailing blanks included.
  static std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text);
    quoted += '"';
    return quoted;
  }
  // A blank-padded field: its text, then its length.
  static std::string Field(std::string_view text) {
    return Quoted(text::TrimTrailing(text)) + "[" + std::to_string(text.size()) + "]";
  }
  static std::string Numbers(const std::vector<int>& values) {
    std::string list;
    for (int value : values) {
      if (!list.empty()) list += ", ";
      list += std::to_string(value);
    }
    return list;
  }
};

}  // namespace shell::testing
