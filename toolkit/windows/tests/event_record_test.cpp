#include "toolkit/windows/event_record.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("event switches") {
  SUBCASE("at start mouse releases, motion and frame buttons are off") {
    const EventSwitches s = StartingEventSwitches();
    for (int type = 0; type <= 16; ++type) {
      CAPTURE(type);
      const bool on = type >= 1 && type <= 15 && type != 5 && type != 6 && type != 10 &&
                      type != 11 && type != 12 && type != 15;
      CHECK(IsEventOn(s, type) == on);
    }
  }
  SUBCASE("after closing the root window type 15 is on as well") {
    const EventSwitches s = ClosedEventSwitches();
    for (int type = 0; type <= 16; ++type) {
      CAPTURE(type);
      const bool on = type >= 1 && type <= 15 && type != 5 && type != 6 && type != 10 && type != 11 && type != 12;
      CHECK(IsEventOn(s, type) == on);
    }
  }
}

TEST_CASE("ConvertForDelivery") {
  SUBCASE("mouse positions become units; world positions are pixels measured upwards") {
    EventRecord r{0, 1, 55, 0, -1, 255, 100};
    ConvertForDelivery(EventType::MouseButtonDown, r, 512, 228);
    CHECK(r.X == 4989);
    CHECK(r.Y == 4407);
    CHECK(r.WorldX == doctest::Approx(255.5));
    CHECK(r.WorldY == doctest::Approx(128.5));
    CHECK(r.Value1 == 1);
  }
  SUBCASE("a Repaint's area becomes units from corner to opposite corner") {
    EventRecord r{0, 512, 228, 0, -1, 0, 0};
    ConvertForDelivery(EventType::Repaint, r, 512, 228);
    CHECK(r.X == 9);
    CHECK(r.Y == 21);
    CHECK(r.Value1 == 9989 - 9);
    CHECK(r.Value2 == 9977 - 21);
    CHECK(r.WorldValue1 == doctest::Approx(512.5));
  }
  SUBCASE("a SizeChange stays in pixels") {
    EventRecord r{0, 512, 228, -1, -1, -1, -1};
    ConvertForDelivery(EventType::SizeChange, r, 512, 256);
    CHECK(r.Value1 == 512);
    CHECK(r.X == -1);
  }
}
