#pragma once
// The event loop as the application sees it.

#include "toolkit/windows/event_record.hpp"

namespace toolkit {

// Blocks until an event is available.
void NextEvent(int& type, EventRecord& record);
void EventEnable(int type, int on);

}  // namespace toolkit
