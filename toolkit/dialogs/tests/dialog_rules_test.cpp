// The dialog table, how a dialog is shown and what its commands mean.

#include <doctest/doctest.h>

#include "toolkit/dialogs/dialog_rules.hpp"
#include "toolkit/dialogs/dialog_table.hpp"

using namespace toolkit;

TEST_CASE("The dialog table") {
  DialogTableOf<int> table;
  for (int id = 1; id <= MaxLoadedDialogs; ++id) {
    REQUIRE_FALSE(table.Full());
    table.Append(100 + id);
    table.Slots[table.Count].Window = 1000 + id;
  }
  CHECK(table.Full());
  CHECK(table.Current == 50);
  CHECK(table.Find(150) == 50);
  CHECK(table.Find(99) == 0);
  CHECK(table.IndexOf(1007) == 7);

  table.Remove(2);  // the following slots move down; none is current
  CHECK(table.Count == 49);
  CHECK(table.Current == 0);
  CHECK(table.Slots[2].DialogId == 103);
  CHECK(table.Slots[49].DialogId == 150);
  CHECK(table.Slots[50].DialogId == 0);
  CHECK(table.Find(102) == 0);
  CHECK_FALSE(table.Full());
  table.Remove(0);
  table.Remove(50);
  CHECK(table.Count == 49);
}

TEST_CASE("IsDialogResourceNumber") {
  for (const auto& [id, valid] : {std::pair{1, true}, {65535, true}, {0, false}, {-1, false}, {65536, false},
                                  {65536 + 201, false}}) {
    CAPTURE(id);
    CHECK(IsDialogResourceNumber(id) == valid);
  }
}

TEST_CASE("PlanShow") {
  struct Case {
    const char* Name;
    ShowSituation Situation;
    ShowAction Action;
    int Mode;
    int Error;
    int ErrorBefore = 0;
  };
  using enum ShowAction;
  const Case cases[] = {
      {"modal", {.Mode = 1}, Modal, 1, 0},
      {"modeless", {.Mode = 2}, Modeless, 2, 0},
      {"semi-modeless", {.Mode = 3}, Modeless, 3, 0},
      {"modeless beside a semi-modeless dialog", {.Mode = 2, .SemiModelessCount = 1}, Modeless, 3, 1014},
      {"modal beside a semi-modeless dialog", {.Mode = 1, .SemiModelessCount = 1}, Modal, 1, 0},
      {"already shown", {.Mode = 1, .Shown = true}, Refresh, 0, 0},
      {"a mode that is not there", {.Mode = 7}, Nothing, 0, 1014},
      {"mode 0", {.Mode = 0, .ChildDialog = true}, Nothing, 0, 1014},
      {"inside a window, modeless", {.Mode = 2, .ChildDialog = true}, Modeless, 2, 0},
      {"inside a window, modal", {.Mode = 1, .ChildDialog = true}, Modeless, 2, 1014},
      {"inside a window, semi-modeless", {.Mode = 3, .ChildDialog = true}, Modeless, 2, 1014},
      {"inside a hidden window", {.Mode = 2, .ChildDialog = true, .RootHidden = true}, Nothing, 0, 1016},
      {"inside a hidden window, modal", {.Mode = 1, .ChildDialog = true, .RootHidden = true}, Nothing, 0, 1014, 1016},
      {"inside a hidden window, semi-modeless", {.Mode = 3, .ChildDialog = true, .RootHidden = true}, Nothing, 0, 1014,
       1016},
      {"modeless, root hidden", {.Mode = 2, .RootHidden = true}, Nothing, 0, 1016},
      {"semi-modeless, root hidden", {.Mode = 3, .RootHidden = true}, Nothing, 0, 1016},
      {"modal, root hidden", {.Mode = 1, .RootHidden = true}, Modal, 1, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    const ShowPlan plan = PlanShow(c.Situation);
    CHECK(plan.Action == c.Action);
    CHECK(plan.Mode == c.Mode);
    // The error left is the last raised.
    CHECK((plan.ErrorAfter != 0 ? plan.ErrorAfter : plan.ErrorDuring) == c.Error);
    CHECK((plan.ErrorAfter != 0 ? plan.ErrorDuring : 0) == c.ErrorBefore);
  }
}

TEST_CASE("DialogOrigin") {
  CHECK(DialogOrigin(-1, 1024, 301, false) == 361);
  CHECK(DialogOrigin(100, 1024, 301, false) == 100);
  CHECK(DialogOrigin(-1, 512, 200, true) == 156);
  // Window units of the root's client area: 5000 of 512 pixels.
  CHECK(DialogOrigin(5000, 512, 200, true) == 255);
  CHECK(DialogOrigin(9999, 512, 200, true) == 511);
  CHECK(DialogOrigin(0, 512, 200, true) == 0);
}

TEST_CASE("ClassifyCommand") {
  struct Case {
    const char* Name;
    CommandSituation Command;
    CommandKind Kind;
  };
  using enum CommandKind;
  constexpr int Push = 0, DefaultPush = 1, AutoCheck = 3, Group = 7;
  const Case cases[] = {
      {"OK in the modal instance", {.ModalInstance = true, .Id = 1, .SourceIsButton = true, .SourceStyle = DefaultPush},
       EndModal},
      {"Escape in the modal instance", {.ModalInstance = true, .Id = 2, .FromControl = false}, EndModal},
      {"a push button of a shown dialog", {.Id = 3001, .SourceIsButton = true, .SourceStyle = Push}, ModelessPush},
      {"the close box of a shown dialog", {.Id = 2, .FromControl = false}, ModelessPush},
      {"a check box", {.ModalInstance = true, .Id = 3003, .SourceIsButton = true, .SourceStyle = AutoCheck},
       FieldChange},
      {"a group box's low bits", {.ModalInstance = true, .Id = 3009, .SourceIsButton = true, .SourceStyle = Group},
       FieldChange},
      {"a static that notifies its clicks", {.ModalInstance = true, .Id = 3010, .SourceStyle = 0}, FieldChange},
      {"a new list selection", {.ModalInstance = true, .Id = 3002, .Notification = 1}, FieldChange},
      {"a double click in a list", {.ModalInstance = true, .Id = 3002, .Notification = 2}, PressDefault},
      {"minimise from a dialog inside a window", {.ChildDialog = true, .Id = 0xF020, .SourceIsButton = true},
       SystemCommand},
      {"close from a dialog inside a window", {.ChildDialog = true, .Id = 0xF060, .SourceIsButton = true},
       SystemCommand},
      {"move from a dialog inside a window", {.ChildDialog = true, .Id = 0xF010, .SourceIsButton = true},
       SystemCommand},
      {"size from a dialog inside a window", {.ChildDialog = true, .Id = 0xF000, .SourceIsButton = true},
       SystemCommand},
      {"maximise from a dialog inside a window", {.ChildDialog = true, .Id = 0xF030, .SourceIsButton = true},
       SystemCommand},
      {"restore from a dialog inside a window", {.ChildDialog = true, .Id = 0xF120, .SourceIsButton = true},
       SystemCommand},
      {"close from a dialog of its own", {.Id = 0xF060, .SourceIsButton = true}, ModelessPush},
      {"a button of a dialog inside a window", {.ChildDialog = true, .Id = 3001, .SourceIsButton = true},
       ModelessPush},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    CHECK(ClassifyCommand(c.Command) == c.Kind);
  }
}

TEST_CASE("QueuesFieldEvent") {
  for (const int focus : {3, 4, 6, 256}) {
    CAPTURE(focus);
    CHECK(QueuesFieldEvent(focus, 3001, 3002));
    CHECK_FALSE(QueuesFieldEvent(focus, 3001, 3001));
  }
  CHECK(QueuesFieldEvent(1, 3001, 3001));      // a new selection, however often
  CHECK(QueuesFieldEvent(0x300, 3001, 3001));  // an edit changed
}
