#pragma once
// Each window keeps one Repaint or SizeChange that happened while the
// application was busy outside NextEvent; NextEvent returns it first.

#include "toolkit/windows/event_record.hpp"

namespace toolkit {

struct PendingEvent {
  int Type = EventType::None;  // None: nothing pending
  int Value1 = 0;
  int Value2 = 0;
  int Value3 = 0;
  int Value4 = 0;
  int X = 0;  // pixels
  int Y = 0;
  int Time = 0;
};

// Keeps `event` as the window's pending event unless a SizeChange is pending
// and `event` is only a Repaint: the SizeChange makes the application redraw
// everything anyway, and its new size must not be lost.
void DeferEvent(PendingEvent& pending, const PendingEvent& event);

// The record NextEvent returns for a pending event of window `window`; a
// Repaint covers the whole client area of `width` by `height` pixels.
EventRecord PendingToRecord(const PendingEvent& pending, int window, int width, int height);

// Called with the event NextEvent is about to return from the message loop.
// A Repaint or SizeChange supersedes the window's pending event, which is
// older; two Repaints merge into one covering the whole client area. A
// pending SizeChange outlives a Repaint, so that the new size still arrives.
void SettleWithPending(int type, EventRecord& record, PendingEvent& pending, int width, int height);

}  // namespace toolkit
