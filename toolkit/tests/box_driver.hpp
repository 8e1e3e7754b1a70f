#pragma once
// Drives the toolkit's boxes as a user would, from inside their own modal
// loops: a timer waits for the box to come up with the keyboard focus, then
// types, presses keys or clicks its buttons with real input.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace toolkit::testing {

// Queues a step: when a box (class "#32770") of this thread with this caption
// holds the focus, `action` runs once with it. Steps run in order. A box
// that does not come within ten seconds is cancelled and the step recorded
// as missed.
void WhenBoxAppears(std::string caption, std::function<void(HWND)> action);
// Whether all queued steps ran; clears the queue.
bool AllStepsRan();

// The visible box (class "#32770") of this thread with this caption, any
// caption when empty; null when there is none.
HWND VisibleBox(std::string_view caption = {});
// The message of a box: its static control with the longest text.
std::string BoxText(HWND box);
// Clicks the box's button with this text ("&Yes").
void ClickButton(HWND box, const std::string& text);
// Characters (UTF-8) as typed on a keyboard.
void TypeText(std::string_view text);
void PressKey(WORD virtualKey);

}  // namespace toolkit::testing
