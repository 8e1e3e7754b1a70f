#pragma once
// The table of loaded resource dialogs: slot 0 for the running modal
// instance, slots 1 to 50 for the loaded dialogs in the order they were
// loaded. The rules of the table need no window; the handle type is the
// platform's window handle in the toolkit and a plain number in its tests.

#include <algorithm>
#include <array>

namespace toolkit {

inline constexpr int MaxLoadedDialogs = 50;

// Resource identifiers are 16-bit numbers: a larger one would be cut to 16
// bits on its way to the platform and name another template.
constexpr bool IsDialogResourceNumber(int id) { return id >= 1 && id <= 0xFFFF; }

template <typename Handle>
struct DialogSlotOf {
  int DialogId = 0;
  Handle Window{};  // the hidden instance; slot 0: the running modal instance
  int Shown = 0;    // 1 while shown modeless or semi-modeless
  int ExitField = 0;
  int PreviousField = 0;
  int Mode = 0;     // 1 modal, 2 modeless, 3 semi-modeless, as last shown
  Handle Owner{};
  Handle RestoreWindow{};
};

template <typename Handle>
struct DialogTableOf {
  using Slot = DialogSlotOf<Handle>;

  std::array<Slot, MaxLoadedDialogs + 1> Slots{};
  int Count = 0;    // loaded dialogs, in slots 1 to Count
  int Current = 0;  // 0: none selected
  int SemiModelessCount = 0;
  Handle SemiModelessRestore{};  // recorded by the last semi-modeless show
  Handle ActiveDialog{};
  int FocusField = 0;  // for the instance being made
  int X = -1;
  int Y = -1;
  bool SettingFields = false;  // the toolkit, not the user, is changing fields

  // The slot (1..Count) that holds `dialogId`; 0 when it is not loaded.
  int Find(int dialogId) const {
    for (int i = 1; i <= Count; ++i) {
      if (Slots[i].DialogId == dialogId) return i;
    }
    return 0;
  }

  // The slot whose hidden instance is `window`; 0 when none.
  int IndexOf(Handle window) const {
    for (int i = 1; i <= Count; ++i) {
      if (Slots[i].Window == window) return i;
    }
    return 0;
  }

  bool Full() const { return Count == MaxLoadedDialogs; }

  Slot& CurrentSlot() { return Slots[Current]; }

  // A new slot after the last, made current; the caller has checked Full().
  int Append(int dialogId) {
    ++Count;
    Slots[Count] = Slot{.DialogId = dialogId};
    Current = Count;
    return Count;
  }

  // The following slots move down by one; no dialog is current afterwards.
  void Remove(int index) {
    if (index < 1 || index > Count) return;
    std::move(Slots.begin() + index + 1, Slots.begin() + Count + 1, Slots.begin() + index);
    Slots[Count] = Slot{};
    --Count;
    Current = 0;
  }
};

}  // namespace toolkit
