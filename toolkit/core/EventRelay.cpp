#include "toolkit/core/EventRelay.h"

#include <windows.h>

#include <mutex>

#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr UINT kRelayMessage = WM_APP + 0x11;
constexpr wchar_t kRelayClassName[] = L"Talvek.Toolkit.EventRelay";

struct RelayedEvent {
  ControlRef control = 0;
  int code = 0;
  std::intptr_t arg1 = 0;
  std::intptr_t arg2 = 0;
  int result = 0;
};

struct Relay {
  std::mutex mutex;
  Window window;
  std::thread::id thread;
};

Relay& relay() {
  static Relay instance;
  return instance;
}

LRESULT CALLBACK relayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRelayMessage) return DefWindowProcW(window, message, wParam, lParam);
  auto* relayed = reinterpret_cast<RelayedEvent*>(lParam);
  try {
    // Looked up again here: the control may have gone while the call waited.
    relayed->result =
        deliverOnOwnerThread(controlReferences(), relayed->control, relayed->code, relayed->arg1, relayed->arg2)
            .value_or(0);
  } catch (...) {
    relayed->result = 0;
  }
  return 0;
}

}  // namespace

bool startEventRelay() {
  Relay& state = relay();
  std::lock_guard lock(state.mutex);
  if (state.window) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = relayWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kRelayClassName;
  RegisterClassExW(&windowClass);
  state.window.reset(CreateWindowExW(0, kRelayClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     windowClass.hInstance, nullptr));
  state.thread = std::this_thread::get_id();
  return static_cast<bool>(state.window);
}

std::optional<int> relayControlEvent(std::thread::id owner, std::int32_t control, int code, std::intptr_t arg1,
                                     std::intptr_t arg2) {
  HWND window = nullptr;
  {
    Relay& state = relay();
    std::lock_guard lock(state.mutex);
    if (!state.window || state.thread != owner) return std::nullopt;
    window = state.window.get();
  }
  RelayedEvent relayed{control, code, arg1, arg2, 0};
  // Waits until the UI thread has run the handler: the caller's arguments
  // (the server's text) stay valid for the whole call.
  SendMessageW(window, kRelayMessage, 0, reinterpret_cast<LPARAM>(&relayed));
  return relayed.result;
}

}  // namespace talvek
