#include "toolkit/windows/event_loop.hpp"

#include "toolkit/windows/dropped_files_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

constexpr UINT CaretBlinkMessage = 0x0118;
constexpr WORD CaretBlinkCode = 0xFFF6;

bool TakePendingEvent(int& type, EventRecord& record) {
  for (int slot = 0; slot < WindowSlotCount; ++slot) {
    WindowSlot& s = Layer.Slots[slot];
    if (s.Pending.Type == EventType::None) continue;
    type = s.Pending.Type;
    record = PendingToRecord(s.Pending, slot, s.ClientWidth, s.ClientHeight);
    s.Pending.Type = EventType::None;
    return true;
  }
  return false;
}

// Accelerators of the message's own window slot when it has a menu, else the
// root's; a translated message is not dispatched.
bool TranslatedByAccelerators(MSG& msg) {
  const int own = SlotOfWindow(GetAncestor(msg.hwnd, GA_ROOT));
  const WindowSlot* slot = nullptr;
  if (own >= 0 && Layer.Slots[own].Menu != nullptr) {
    slot = &Layer.Slots[own];
  } else if (Layer.Slots[0].Menu != nullptr) {
    slot = &Layer.Slots[0];
  }
  if (slot == nullptr || slot->Accelerators == nullptr) return false;
  return TranslateAcceleratorA(slot->Frame, slot->Accelerators, &msg) != 0;
}

void Dispatch(const MSG& msg) {
  const bool remembered = msg.message == WM_PAINT || msg.message == WM_SIZE;
  if (remembered) {
    Layer.DispatchingWindow = msg.hwnd;
    Layer.DispatchingMessage = msg.message;
  }
  DispatchMessageA(&msg);
  if (remembered) {
    Layer.DispatchingWindow = nullptr;
    Layer.DispatchingMessage = 0;
  }
}

void WaitForReport() {
  Layer.Waiting = true;
  MSG msg;
  while (Layer.Waiting) {
    // WM_QUIT is dispatched like any other message: only events end the loop.
    if (GetMessageA(&msg, nullptr, 0, 0) == -1) continue;
    // Tab, Enter and Escape move about a shown dialog as in any dialog.
    if (Layer.ModelessDialog != nullptr && IsDialogMessageA(Layer.ModelessDialog, &msg)) continue;
    if (TranslatedByAccelerators(msg)) continue;
    if (msg.message == CaretBlinkMessage && LOWORD(msg.wParam) == CaretBlinkCode &&
        Layer.DiscardCaretBlink) {
      continue;
    }
    TranslateMessage(&msg);
    Dispatch(msg);
  }
}

void Deliver(int type, EventRecord& record) {
  if (record.Window < 0 || record.Window >= WindowSlotCount) return;
  WindowSlot& slot = Layer.Slots[record.Window];
  if (type == EventType::SizeChange) {
    slot.ScaleWidth = record.Value1;
    slot.ScaleHeight = record.Value2;
    return;
  }
  ConvertForDelivery(type, record, slot.ScaleWidth, slot.ScaleHeight);
}

}  // namespace

void NextEvent(int& type, EventRecord& record) {
  if (!TakePendingEvent(type, record)) {
    WaitForReport();
    type = Layer.CurrentType;
    record = Layer.CurrentEvent;
    if (record.Window >= 0 && record.Window < WindowSlotCount) {
      WindowSlot& slot = Layer.Slots[record.Window];
      SettleWithPending(type, record, slot.Pending, slot.ClientWidth, slot.ClientHeight);
    }
  }
  Deliver(type, record);
}

void EventEnable(int type, int on) {
  if (type < 1 || type > EventType::Highest) return;
  Layer.Switches[type] = on != 0;
  if (type == EventType::FilesDropped) AcceptDroppedFiles(on != 0);
}

}  // namespace toolkit
