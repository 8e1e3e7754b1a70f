// The platform numbers that the window-free rules keep copies of, checked
// here against the platform's own headers: a copy that drifts does not
// build.

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include "toolkit/dialogs/dialog_rules.hpp"
#include "toolkit/dialogs/field_rules.hpp"
#include "toolkit/dialogs/file_select_setup.hpp"

namespace toolkit {

static_assert(SystemCommand::Size == SC_SIZE && SystemCommand::Move == SC_MOVE &&
              SystemCommand::Minimise == SC_MINIMIZE && SystemCommand::Maximise == SC_MAXIMIZE &&
              SystemCommand::Close == SC_CLOSE && SystemCommand::Restore == SC_RESTORE);

static_assert(PlatformStyle::ButtonTypeMask == BS_TYPEMASK && PlatformStyle::CheckBox == BS_CHECKBOX &&
              PlatformStyle::AutoCheckBox == BS_AUTOCHECKBOX && PlatformStyle::RadioButton == BS_RADIOBUTTON &&
              PlatformStyle::ThreeState == BS_3STATE && PlatformStyle::AutoThreeState == BS_AUTO3STATE &&
              PlatformStyle::AutoRadioButton == BS_AUTORADIOBUTTON && PlatformStyle::ButtonIcon == BS_ICON &&
              PlatformStyle::ButtonBitmap == BS_BITMAP);
static_assert(PlatformStyle::StaticTypeMask == SS_TYPEMASK && PlatformStyle::StaticIcon == SS_ICON &&
              PlatformStyle::StaticBitmap == SS_BITMAP);
static_assert(PlatformStyle::MultiLine == ES_MULTILINE && PlatformStyle::ComboTypeMask == (CBS_SIMPLE | CBS_DROPDOWN) &&
              PlatformStyle::DropDownList == CBS_DROPDOWNLIST && PlatformStyle::ListMultiple == LBS_MULTIPLESEL &&
              PlatformStyle::ListExtended == LBS_EXTENDEDSEL && PlatformStyle::ListTabStops == LBS_USETABSTOPS);

static_assert(PlatformFileFlag::OverwritePrompt == OFN_OVERWRITEPROMPT &&
              PlatformFileFlag::HideReadOnly == OFN_HIDEREADONLY && PlatformFileFlag::EnableHook == OFN_ENABLEHOOK &&
              PlatformFileFlag::AllowMultiSelect == OFN_ALLOWMULTISELECT &&
              PlatformFileFlag::PathMustExist == OFN_PATHMUSTEXIST &&
              PlatformFileFlag::CreatePrompt == OFN_CREATEPROMPT && PlatformFileFlag::Explorer == OFN_EXPLORER);

}  // namespace toolkit
