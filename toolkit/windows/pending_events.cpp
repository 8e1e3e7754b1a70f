#include "toolkit/windows/pending_events.hpp"

namespace toolkit {

namespace {

void CoverWholeClient(EventRecord& r, int width, int height) {
  r.X = 0;
  r.Y = 0;
  r.Value1 = width;
  r.Value2 = height;
}

}  // namespace

void DeferEvent(PendingEvent& pending, const PendingEvent& event) {
  if (event.Type == EventType::Repaint && pending.Type == EventType::SizeChange) return;
  pending = event;
}

EventRecord PendingToRecord(const PendingEvent& pending, int window, int width, int height) {
  EventRecord r;
  r.Window = window;
  r.Value1 = pending.Value1;
  r.Value2 = pending.Value2;
  r.Value3 = pending.Value3;
  r.Value4 = pending.Value4;
  r.X = pending.X;
  r.Y = pending.Y;
  r.Time = pending.Time;
  if (pending.Type == EventType::Repaint) CoverWholeClient(r, width, height);
  return r;
}

void SettleWithPending(int type, EventRecord& record, PendingEvent& pending, int width, int height) {
  const bool repaint = type == EventType::Repaint && record.Value3 == 0;
  if (type != EventType::SizeChange && !repaint) return;
  if (repaint && pending.Type == EventType::SizeChange) return;
  if (repaint && pending.Type == EventType::Repaint) CoverWholeClient(record, width, height);
  pending.Type = EventType::None;
}

}  // namespace toolkit
