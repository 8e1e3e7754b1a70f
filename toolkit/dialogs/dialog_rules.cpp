#include "toolkit/dialogs/dialog_rules.hpp"

#include "toolkit/codes.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

// The system commands a dialog inside a window takes from its own buttons.
constexpr int SystemSize = 0xF000;
constexpr int SystemMove = 0xF010;
constexpr int SystemMinimise = 0xF020;
constexpr int SystemMaximise = 0xF030;
constexpr int SystemClose = 0xF060;
constexpr int SystemRestore = 0xF120;

bool IsForwardedSystemCommand(int id) {
  switch (id) {
    case SystemSize:
    case SystemMove:
    case SystemMinimise:
    case SystemMaximise:
    case SystemClose:
    case SystemRestore: return true;
    default: return false;
  }
}

constexpr int Clicked = 0;
constexpr int DoubleClicked = 2;  // a list's or a combo box's

// The push-button and default-push-button styles. Only of a button: a
// static that notifies its clicks has the same low bits (left or centred
// text) and must not end the dialog.
bool IsPushButton(bool button, int style) { return button && (style & 0x0F) <= 1; }

}  // namespace

ShowPlan PlanShow(const ShowSituation& s) {
  if (s.Shown) return {ShowAction::Refresh, 0, 0, 0};
  // The error's own text names this case; doing nothing without a word would
  // hide the caller's slip.
  if (s.Mode < DialogMode::Modal || s.Mode > DialogMode::SemiModeless) {
    return {ShowAction::Nothing, 0, 0, ErrorNumber::InvalidDialogMode};
  }
  // A dialog inside a window has no modal loop of its own.
  if (s.ChildDialog) {
    const int error = s.Mode != DialogMode::Modeless ? ErrorNumber::InvalidDialogMode : 0;
    // The wrong mode is said last, so that it is the error left.
    if (s.RootHidden) return {ShowAction::Nothing, 0, ErrorNumber::RootWindowHidden, error};
    return {ShowAction::Modeless, DialogMode::Modeless, 0, error};
  }
  if (s.Mode == DialogMode::Modal) return {ShowAction::Modal, DialogMode::Modal, 0, 0};
  // A modeless dialog that cannot be seen is no dialog for the user: said so
  // rather than shown nowhere (and, semi-modeless, without disabling the
  // windows for a dialog that never came up).
  if (s.RootHidden) return {ShowAction::Nothing, 0, 0, ErrorNumber::RootWindowHidden};
  if (s.Mode == DialogMode::Modeless && s.SemiModelessCount > 0) {
    return {ShowAction::Modeless, DialogMode::SemiModeless, 0, ErrorNumber::InvalidDialogMode};
  }
  return {ShowAction::Modeless, s.Mode, 0, 0};
}

int DialogOrigin(int requested, int area, int size, bool childDialog) {
  if (requested == Centred) return (area - size) / 2;
  return childDialog ? UnitsToPixels(requested, area) : requested;
}

CommandKind ClassifyCommand(const CommandSituation& c) {
  if (c.ChildDialog && IsForwardedSystemCommand(c.Id)) return CommandKind::SystemCommand;
  if (c.Notification == DoubleClicked) return CommandKind::PressDefault;
  const bool push = c.Notification == Clicked && (!c.FromControl || IsPushButton(c.SourceIsButton, c.SourceStyle));
  if (!push) return CommandKind::FieldChange;
  if (c.ModalInstance) return CommandKind::EndModal;
  // Escape and the close box of a shown dialog arrive without a control too.
  return CommandKind::ModelessPush;
}

bool QueuesFieldEvent(int notification, int id, int lastId) {
  switch (notification) {
    case 3:     // a combo box's focus
    case 4:     // a list's focus
    case 6:     // a button's focus
    case 256:   // an edit field's focus
      return id != lastId;
    default: return true;
  }
}

}  // namespace toolkit
