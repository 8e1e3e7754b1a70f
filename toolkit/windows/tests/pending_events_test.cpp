#include "toolkit/windows/pending_events.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

namespace {

PendingEvent Repaint(int x, int y, int w, int h) {
  return {EventType::Repaint, w, h, 0, -1, x, y, 100};
}
PendingEvent Size(int w, int h) { return {EventType::SizeChange, w, h, -1, -1, -1, -1, 200}; }

}  // namespace

TEST_CASE("DeferEvent") {
  PendingEvent pending;
  SUBCASE("a Repaint is kept when nothing is pending") {
    DeferEvent(pending, Repaint(1, 2, 3, 4));
    CHECK(pending.Type == EventType::Repaint);
    CHECK(pending.X == 1);
  }
  SUBCASE("a Repaint replaces a pending Repaint") {
    DeferEvent(pending, Repaint(1, 2, 3, 4));
    DeferEvent(pending, Repaint(5, 6, 7, 8));
    CHECK(pending.X == 5);
  }
  SUBCASE("a Repaint does not replace a pending SizeChange") {
    DeferEvent(pending, Size(512, 228));
    DeferEvent(pending, Repaint(5, 6, 7, 8));
    CHECK(pending.Type == EventType::SizeChange);
    CHECK(pending.Value2 == 228);
  }
  SUBCASE("a SizeChange replaces a pending Repaint and a pending SizeChange") {
    DeferEvent(pending, Repaint(5, 6, 7, 8));
    DeferEvent(pending, Size(512, 228));
    CHECK(pending.Type == EventType::SizeChange);
    DeferEvent(pending, Size(600, 300));
    CHECK(pending.Value1 == 600);
  }
}

TEST_CASE("PendingToRecord") {
  SUBCASE("a Repaint covers the whole client area") {
    const EventRecord r = PendingToRecord(Repaint(10, 20, 30, 40), 3, 512, 228);
    CHECK(r.Window == 3);
    CHECK(r.X == 0);
    CHECK(r.Y == 0);
    CHECK(r.Value1 == 512);
    CHECK(r.Value2 == 228);
    CHECK(r.Value3 == 0);
    CHECK(r.Value4 == -1);
    CHECK(r.Time == 100);
  }
  SUBCASE("a SizeChange keeps its values") {
    const EventRecord r = PendingToRecord(Size(512, 228), 0, 1, 1);
    CHECK(r.Value1 == 512);
    CHECK(r.Value2 == 228);
    CHECK(r.Value3 == -1);
    CHECK(r.X == -1);
    CHECK(r.Y == -1);
  }
}

TEST_CASE("SettleWithPending") {
  EventRecord repaint{0, 30, 40, 0, -1, 10, 20};
  EventRecord size{0, 512, 228, -1, -1, -1, -1};
  SUBCASE("a SizeChange clears any pending event") {
    PendingEvent pending = Repaint(0, 0, 5, 5);
    SettleWithPending(EventType::SizeChange, size, pending, 512, 228);
    CHECK(pending.Type == EventType::None);
    CHECK(size.Value1 == 512);
  }
  SUBCASE("two Repaints merge into one over the whole client area") {
    PendingEvent pending = Repaint(0, 0, 5, 5);
    SettleWithPending(EventType::Repaint, repaint, pending, 512, 228);
    CHECK(pending.Type == EventType::None);
    CHECK(repaint.X == 0);
    CHECK(repaint.Y == 0);
    CHECK(repaint.Value1 == 512);
    CHECK(repaint.Value2 == 228);
  }
  SUBCASE("a Repaint with nothing pending keeps its area") {
    PendingEvent pending;
    SettleWithPending(EventType::Repaint, repaint, pending, 512, 228);
    CHECK(repaint.X == 10);
    CHECK(repaint.Value1 == 30);
  }
  SUBCASE("a pending SizeChange outlives a Repaint") {
    PendingEvent pending = Size(512, 228);
    SettleWithPending(EventType::Repaint, repaint, pending, 512, 228);
    CHECK(pending.Type == EventType::SizeChange);
    CHECK(repaint.Value1 == 30);
  }
  SUBCASE("other events leave the pending event alone") {
    PendingEvent pending = Repaint(0, 0, 5, 5);
    EventRecord command{0, 40002, -1, -1, -1, -1, -1};
    SettleWithPending(EventType::MenuCommand, command, pending, 512, 228);
    CHECK(pending.Type == EventType::Repaint);
  }
}
