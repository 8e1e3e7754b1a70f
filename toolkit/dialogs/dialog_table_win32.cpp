#include "toolkit/dialogs/dialog_table_win32.hpp"

#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {

DialogTable Dialogs;

void ForgetDialogs() {
  for (int i = 1; i <= Dialogs.Count; ++i) DestroyWindow(Dialogs.Slots[i].Window);
  Dialogs = DialogTable{};
  ForgetFieldImages();
  State.DialogLoaded = 0;
  State.Dialog.CurrentDialogId = 0;
}

}  // namespace toolkit
