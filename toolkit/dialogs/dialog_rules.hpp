#pragma once
// How a resource dialog is shown and what its commands mean, decided
// without a window.

namespace toolkit {

// What DialogShowModal does with the current dialog.
enum class ShowAction {
  Nothing,   // an error says why
  Refresh,   // already shown: repainted, no change of mode
  Modal,     // a second instance runs until a push button ends it
  Modeless,  // the hidden instance itself is shown; the call returns at once
};

struct ShowSituation {
  int Mode = 2;               // as asked: 1 modal, 2 modeless, 3 semi-modeless
  bool Shown = false;         // shown modeless or semi-modeless already
  bool ChildDialog = false;   // a window inside the root's client area
  int SemiModelessCount = 0;  // semi-modeless dialogs up
  bool RootHidden = false;
};

struct ShowPlan {
  ShowAction Action = ShowAction::Nothing;
  int Mode = 0;        // the mode the dialog is shown in
  int ErrorDuring = 0;  // raised where the show stops, before ErrorAfter
  int ErrorAfter = 0;   // raised once the dialog is up (or instead, with Nothing)
};

ShowPlan PlanShow(const ShowSituation& situation);

// Left (or top) edge of a dialog of `size` pixels in an `area` (the screen,
// or the root's client area for a dialog inside it): -1 centres it; a
// dialog inside the root window is placed in window units.
int DialogOrigin(int requested, int area, int size, bool childDialog);

// What a command of a dialog's control means.
enum class CommandKind {
  EndModal,       // a push button (or Escape, the close box) ends the modal instance
  ModelessPush,   // a push button of a shown dialog: event 3
  PressDefault,   // a double click in a list presses the default button
  SystemCommand,  // move, size, minimise, ... of a dialog inside a window
  FieldChange,    // anything else: event 10 outside the modal instance
};

struct CommandSituation {
  bool ModalInstance = false;  // the running modal instance
  bool ChildDialog = false;
  int Id = 0;
  int Notification = 0;
  bool FromControl = true;     // false: Escape or the close box
  bool SourceIsButton = false;
  int SourceStyle = 0;         // the control's window style
};

CommandKind ClassifyCommand(const CommandSituation& command);

// Event 10 for a focus notification only when the focus moved to another
// control; every other change is one.
bool QueuesFieldEvent(int notification, int id, int lastId);

}  // namespace toolkit
