// The open and save dialogs of the platform, with the toolkit's handling
// around them.

#include <algorithm>
#include <string>
#include <vector>

#include "text/text_utilities.hpp"
#include "text/wide_names.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/file_select_setup.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commdlg.h>
#include <dlgs.h>

namespace toolkit {

namespace {

// The dialog runs on the platform's wide names, so that any name the file
// system allows comes back; the program carries them as UTF-8.
std::wstring Wide(std::string_view utf8) { return text::WideFromUtf8<wchar_t>(utf8); }

std::wstring CurrentDirectory() {
  std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  directory.resize(n < directory.size() ? n : 0);
  return directory;
}

static_assert(OFN_HIDEREADONLY == 0x4 && OFN_PATHMUSTEXIST == 0x800 && OFN_OVERWRITEPROMPT == 0x2 &&
              OFN_CREATEPROMPT == 0x2000 && OFN_ALLOWMULTISELECT == 0x200 && OFN_EXPLORER == 0x80000 &&
              OFN_ENABLEHOOK == 0x20);

// The save dialog's file name follows the type chosen in its list. Asking
// for it takes a hook, and a hooked dialog is the explorer-style one on every
// Windows (not the item dialog of Vista on, which does the same by itself).
// The request's custom data points to the prepared filter.
UINT_PTR CALLBACK FollowTypeHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (notice->hdr.code != CDN_TYPECHANGE) return 0;
  // The hook's child window sits inside the dialog, which answers these.
  const HWND dialog = GetParent(child);
  std::vector<wchar_t> typed(32768, L'\0');
  const LRESULT length = SendMessageW(dialog, CDM_GETSPEC, typed.size(), reinterpret_cast<LPARAM>(typed.data()));
  if (length <= 1) return 0;
  const auto* filter = reinterpret_cast<const FilterList*>(notice->lpOFN->lCustData);
  const std::string name = text::Utf8FromWide<wchar_t>({typed.data(), static_cast<std::size_t>(length - 1)});
  const auto renamed = NameForType(name, *filter, static_cast<int>(notice->lpOFN->nFilterIndex));
  if (!renamed) return 0;
  const std::wstring wide = Wide(*renamed);
  // The name's field is a combo box from Windows 2000 on, an edit before.
  for (const int field : {cmb13, edt1}) {
    SendMessageW(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  return 0;
}

}  // namespace

void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                int* filterIndex) {
  ImagesHold();

  const FilterList filterList = PrepareFilter(filter);
  const std::string initial(fileName.begin(), fileName.end());
  const PathParts parts = PathSplit(initial, State.PathSeparator[0]);
  const std::wstring filterUnits = Wide({filterList.Bytes.data(), filterList.Bytes.size()});
  // The platform writes its answer here, NUL included: as many characters as
  // FileName has bytes.
  std::vector<wchar_t> answer(std::max<std::size_t>(fileName.size(), 1), L'\0');
  const std::wstring file = Wide(parts.File);
  std::copy_n(file.begin(), std::min(file.size(), answer.size() - 1), answer.begin());
  // Folder, file name and caption are taken whole, not cut at 256
  // characters: a cut path would open another folder, a cut caption is
  // wrong for no gain.
  const std::wstring savedDirectory = CurrentDirectory();
  const std::wstring directory = parts.Directory.empty() ? savedDirectory : Wide(parts.Directory);
  const std::string_view shownTitle = text::TrimTrailing(title);
  const std::wstring caption = Wide(shownTitle.empty() ? "Select File" : shownTitle);
  const bool multiple = (flags & SelectSave) == 0 && (flags & SelectMultiple) != 0;

  OPENFILENAMEW request{};
  // The record's size on this platform, not the 76 bytes of its 32-bit
  // form, which a 64-bit system refuses (the dialog would not come up).
  request.lStructSize = sizeof request;
  request.hwndOwner = DialogOwner();
  request.hInstance = ProgramInstance();
  request.lpstrFilter = filterList.Present ? filterUnits.c_str() : nullptr;
  request.nFilterIndex = filterList.Present ? (filterIndex != nullptr ? *filterIndex : 1) : 0;
  request.lpstrFile = answer.data();
  request.nMaxFile = static_cast<DWORD>(answer.size());
  request.lpstrInitialDir = directory.c_str();
  request.lpstrTitle = caption.c_str();
  request.Flags = FileDialogFlags(flags);
  request.lpstrDefExt = (flags & SelectAppendExtension) != 0 && State.OsMajorVersion != 3 ? L"" : nullptr;
  if ((request.Flags & OFN_ENABLEHOOK) != 0) {
    request.lpfnHook = FollowTypeHook;
    request.lCustData = reinterpret_cast<LPARAM>(&filterList);
  }

  const BOOL confirmed = WithOtherWindowsDisabled(request.hwndOwner, [&request, flags] {
    return (flags & SelectSave) != 0 ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
  });

  const std::string answered = text::Utf8FromWide<wchar_t>({answer.data(), answer.size()});
  const auto chosen = confirmed ? ChosenName(answered, multiple) : std::nullopt;
  // A name longer in UTF-8 than FileName fails as a name too long for the
  // dialog's buffer would: a shortened name would be another file.
  if (chosen && chosen->size() > fileName.size()) {
    State.Dialog.CommonResult = 0;
    ErrorRaise(ErrorNumber::CommonDialogFailed);
  } else if (confirmed) {
    State.Dialog.CommonResult = 1;
    if (filterIndex != nullptr) *filterIndex = static_cast<int>(request.nFilterIndex);
    if (chosen) std::fill(std::copy(chosen->begin(), chosen->end(), fileName.begin()), fileName.end(), ' ');
  } else {
    State.Dialog.CommonResult = 0;
    if (CommDlgExtendedError() != 0) ErrorRaise(ErrorNumber::CommonDialogFailed);
  }
  if ((flags & SelectKeepDirectory) == 0) SetCurrentDirectoryW(savedDirectory.c_str());
  ImagesRelease();
  State.Dialog.PreviousField = 0;
}

}  // namespace toolkit
