#pragma once
// The event loop as the application sees it.

#include <span>

#include "toolkit/windows/event_record.hpp"

namespace toolkit {

// Blocks until an event is available.
void NextEvent(int& type, EventRecord& record);
// Switching FilesDropped on or off also tells the file manager whether the
// open windows take dropped files.
void EventEnable(int type, int on);

// The name (1-based) of a file of the last FilesDropped event, UTF-8,
// blank-padded or cut to the field; blank when there is no such file.
void DroppedFileName(int index, std::span<char> fileName);

}  // namespace toolkit
