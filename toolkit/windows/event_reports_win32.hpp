#pragma once
// How the window procedures hand events to NextEvent.

#include <windows.h>

namespace toolkit {

// Sets the current event, if its type is switched on, and ends NextEvent's
// wait. Returns whether the event was reported.
bool ReportEvent(HWND window, int type, int value1, int value2, int value3, int value4, int x,
                 int y);
// The same for an event whose Window is given: a dialog's slot in the
// dialog table for the events of the toolkit's dialogs.
bool ReportSlotEvent(int slot, int type, int value1, int value2, int value3, int value4, int x, int y);
// Keeps a Repaint or SizeChange reported outside NextEvent's own dispatch as
// the window's pending event.
void DeferIfOutsideNextEvent(HWND window, UINT message, int type);

}  // namespace toolkit
