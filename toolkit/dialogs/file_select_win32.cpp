// The open and save dialogs of the platform, with the toolkit's handling
// around them.

#include <algorithm>
#include <string>
#include <vector>

#include "text/text_utilities.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/file_select_setup.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commdlg.h>

namespace toolkit {

namespace {

std::string CurrentDirectory() {
  std::string directory(GetCurrentDirectoryA(0, nullptr), '\0');
  const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
  directory.resize(n < directory.size() ? n : 0);
  return directory;
}

DWORD PlatformFlags(int flags) {
  DWORD platform = OFN_HIDEREADONLY;
  if ((flags & SelectAnyPath) == 0) platform |= OFN_PATHMUSTEXIST;
  const bool save = (flags & SelectSave) != 0;
  if ((flags & SelectPrompt) != 0) platform |= save ? OFN_OVERWRITEPROMPT : OFN_CREATEPROMPT;
  if (!save && (flags & SelectMultiple) != 0) platform |= OFN_ALLOWMULTISELECT | OFN_EXPLORER;
  return platform;
}

}  // namespace

void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                int* filterIndex) {
  WindowImagesHold();

  const FilterList filterList = PrepareFilter(filter);
  const std::string initial(fileName.begin(), fileName.end());
  const PathParts parts = PathSplit(initial, State.PathSeparator[0]);
  // The platform writes its answer here, NUL included: as long as FileName.
  std::vector<char> answer(std::max<std::size_t>(fileName.size(), 1), '\0');
  std::copy_n(parts.File.begin(), std::min(parts.File.size(), answer.size() - 1), answer.begin());
  const std::string savedDirectory = CurrentDirectory();
  const std::string directory = parts.Directory.empty() ? savedDirectory : std::string(parts.Directory);
  const std::string_view shownTitle = text::TrimTrailing(title);
  const std::string caption = shownTitle.empty() ? "Select File" : std::string(shownTitle);
  const bool multiple = (flags & SelectSave) == 0 && (flags & SelectMultiple) != 0;

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = DialogOwner();
  request.hInstance = ProgramInstance();
  request.lpstrFilter = filterList.Present ? filterList.Bytes.data() : nullptr;
  request.nFilterIndex = filterList.Present ? (filterIndex != nullptr ? *filterIndex : 1) : 0;
  request.lpstrFile = answer.data();
  request.nMaxFile = static_cast<DWORD>(answer.size());
  request.lpstrInitialDir = directory.c_str();
  request.lpstrTitle = caption.c_str();
  request.Flags = PlatformFlags(flags);
  request.lpstrDefExt = (flags & SelectAppendExtension) != 0 && State.OsMajorVersion != 3 ? "" : nullptr;

  const BOOL confirmed = WithOtherWindowsDisabled(request.hwndOwner, [&request, flags] {
    return (flags & SelectSave) != 0 ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
  });

  if (confirmed) {
    State.Dialog.CommonResult = 1;
    if (filterIndex != nullptr) *filterIndex = static_cast<int>(request.nFilterIndex);
    if (const auto chosen = ChosenName(answer, multiple)) {
      std::fill(std::copy(chosen->begin(), chosen->end(), fileName.begin()), fileName.end(), ' ');
    }
  } else {
    State.Dialog.CommonResult = 0;
    if (CommDlgExtendedError() != 0) ErrorRaise(ErrorNumber::CommonDialogFailed);
  }
  if ((flags & SelectKeepDirectory) == 0) SetCurrentDirectoryA(savedDirectory.c_str());
  WindowImagesRelease();
  State.Dialog.PreviousField = 0;
}

}  // namespace toolkit
