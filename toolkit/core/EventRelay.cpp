#include "toolkit/core/EventRelay.h"

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <unordered_map>

#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr UINT kRelayMessage = WM_APP + 0x11;
constexpr wchar_t kRelayClassName[] = L"Talvek.Toolkit.EventRelay";

enum class CallState { Waiting, Running, Done };

struct RelayedEvent {
  ControlRef control = 0;
  int code = 0;
  std::intptr_t arg1 = 0;
  std::intptr_t arg2 = 0;
  int result = 0;
  CallState state = CallState::Waiting;
};

// The message carries a call number, not the caller's record: a caller
// that gave up takes its number back, and a message that still arrives
// then finds nothing to run.
struct Relay {
  std::mutex mutex;
  std::condition_variable finished;
  Window window;
  std::thread::id thread;
  std::unordered_map<std::uintptr_t, RelayedEvent*> calls;
  std::uintptr_t lastCall = 0;
};

Relay& relay() {
  static Relay instance;
  return instance;
}

void runCall(std::uintptr_t number) {
  Relay& state = relay();
  RelayedEvent* relayed = nullptr;
  {
    std::lock_guard lock(state.mutex);
    auto found = state.calls.find(number);
    if (found == state.calls.end()) return;
    relayed = found->second;
    relayed->state = CallState::Running;
  }
  int result = 0;
  try {
    // Looked up again here: the control may have gone while the call waited.
    result = deliverOnOwnerThread(controlReferences(), relayed->control, relayed->code, relayed->arg1, relayed->arg2)
                 .value_or(0);
  } catch (...) {
    result = 0;
  }
  {
    std::lock_guard lock(state.mutex);
    relayed->result = result;
    relayed->state = CallState::Done;
  }
  state.finished.notify_all();
}

LRESULT CALLBACK relayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRelayMessage) return DefWindowProcW(window, message, wParam, lParam);
  // Only our own threads know the seal; a call number alone would let
  // another process run a waiting call at a moment of its choosing.
  if (message_seal::matches(wParam)) runCall(static_cast<std::uintptr_t>(lParam));
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
                                     std::intptr_t arg2, unsigned waitMs) {
  Relay& state = relay();
  RelayedEvent relayed{control, code, arg1, arg2};
  HWND window = nullptr;
  std::uintptr_t number = 0;
  {
    std::lock_guard lock(state.mutex);
    if (!state.window || state.thread != owner) return std::nullopt;
    window = state.window.get();
    number = ++state.lastCall;
    state.calls[number] = &relayed;
  }
  // Waits until the UI thread has run the handler: the caller's arguments
  // (the server's text) stay valid for the whole call.
  if (waitMs == kWaitWithoutBound) {
    SendMessageW(window, kRelayMessage, message_seal::value(), number);
  } else {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, kRelayMessage, message_seal::value(), number, SMTO_ABORTIFHUNG, waitMs, &ignored);
  }
  std::unique_lock lock(state.mutex);
  // The UI thread may have taken the call just as the wait ran out; it is
  // then using our arguments and must be let finish.
  state.finished.wait(lock, [&] { return relayed.state != CallState::Running; });
  state.calls.erase(number);
  if (relayed.state != CallState::Done) return std::nullopt;
  return relayed.result;
}

}  // namespace talvek
