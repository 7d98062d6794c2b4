#include "toolkit/controls/ToolTip.h"

#include <commctrl.h>

#include <cstddef>

namespace talvek {
namespace {

constexpr COLORREF kTipBackground = 0xC06000;
constexpr COLORREF kTipText = 0xFFFFFF;
// The tool record up to its lParam, as every common controls version since
// the fourth knows it (44 bytes in the 32-bit build).
constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOA, lParam) + sizeof(TTTOOLINFOA::lParam);
static_assert(sizeof(void*) != 4 || kToolInfoSize == 44);

void registerTipClassOnce() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

// Hands the host window's mouse messages to one tip. Each tip subclasses the
// host under its own id: the common control's own subclassing uses one id
// per host on some systems, so the last tip created would take every
// message and the others would never show.
LRESULT CALLBACK relayMouseToTip(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR tip, DWORD_PTR) {
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageA(reinterpret_cast<HWND>(tip), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void ToolTip::createOrReplace(HWND owner, const std::string& text, const Rect& area, bool balloon, bool centred) {
  destroy();
  text_ = text;
  balloon_ = balloon;
  centred_ = centred;
  if (text.empty() || !owner) return;
  registerTipClassOnce();
  // WS_POPUP from the start, though the common control makes every tip a
  // popup anyway: created without it the window is briefly an overlapped
  // one with a caption, and Wine then hands it to the window manager for
  // good; hiding it (the click on the button under a shown tip) waits up
  // to two seconds for a manager that may never answer.
  const DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (balloon ? TTS_BALLOON : 0);
  window_.reset(CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr));
  if (!window_) return;
  SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  refresh(owner, area);
  if (SetWindowSubclass(owner, &relayMouseToTip, reinterpret_cast<UINT_PTR>(window_.get()), 0)) owner_ = owner;
  SendMessageA(window_.get(), TTM_SETTIPBKCOLOR, kTipBackground, 0);
  SendMessageA(window_.get(), TTM_SETTIPTEXTCOLOR, kTipText, 0);
}

void ToolTip::update(HWND owner, const std::string& text, const Rect& area) {
  if (text != text_ || !exists()) createOrReplace(owner, text, area, balloon_, centred_);
}

void ToolTip::refresh(HWND owner, const Rect& area) {
  if (!exists()) return;
  TOOLINFOA tool{};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = centred_ ? TTF_CENTERTIP : 0;
  tool.hwnd = owner;
  tool.uId = 0;
  tool.rect = RECT{area.x, area.y, area.x + area.width, area.y + area.height};
  tool.lpszText = const_cast<char*>(text_.c_str());
  SendMessageA(window_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::destroy() {
  if (owner_) RemoveWindowSubclass(owner_, &relayMouseToTip, reinterpret_cast<UINT_PTR>(window_.get()));
  owner_ = nullptr;
  window_.reset();
  text_.clear();
}

}  // namespace talvek
