#include "installer/ServiceWindow.h"

#include "installer/DirectoryPreparation.h"
#include "toolkit/core/MessageSeal.h"

namespace talvek {
namespace {

constexpr wchar_t kClassName[] = L"Talvek.ServiceWindow";
constexpr int kBalloonAbovePointer = 20;
constexpr LRESULT kRelayHandled = 1;

bool registerClassOnce(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool ServiceWindow::create() {
  if (window_) return true;
  if (!registerClassOnce(&ServiceWindow::windowProc)) return false;
  // A plain hidden popup rather than a message-only window: it also owns
  // the error balloon, which needs a real owner.
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleW(nullptr), this));
  return window_ && balloon_.create(window_.get());
}

void ServiceWindow::showErrorBalloon(const std::string& message) {
  POINT pointer{};
  GetCursorPos(&pointer);
  pointer.y -= kBalloonAbovePointer;
  balloon_.show(message::kErrorPrefix + message, pointer);
}

bool ServiceWindow::relay() const {
  return window_ && SendMessageW(window_.get(), kRelayMessage, message_seal::value(), 0) == kRelayHandled;
}

LRESULT CALLBACK ServiceWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ServiceWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kRelayMessage) {
    // Only our own worker knows the seal: another process, whatever it
    // sends or posts, must not start the extraction.
    if (!message_seal::matches(wParam) || !self || !self->onRelay_) return 0;
    try {
      self->onRelay_();
      return kRelayHandled;
    } catch (...) {
      // Nothing may unwind through the system's window dispatch; the
      // sender learns of the failure from the result.
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace talvek
