// The WideText operations that need the system: code-page conversion,
// window texts, the debugger and the clipboard.
#include <windows.h>

#include <cstring>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/WideText.h"

namespace talvek {

void WideText::assignAnsi(std::string_view text) { buffer_ = fromAnsi(text); }

void WideText::assignWindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  allocate(length);
  GetWindowTextW(window, reinterpret_cast<wchar_t*>(buffer_.data()), length + 1);
}

void WideText::insertAnsi(int pos, std::string_view text) { insertWide(pos, fromAnsi(text)); }

void WideText::appendAnsi(std::string_view text) { appendWide(fromAnsi(text)); }

std::string WideText::toAnsi() const { return toCodePage(toUtf16(), CP_OEMCP); }

std::string WideText::leftAnsi(int n) const { return leftObject(n).toAnsi(); }

std::string WideText::rightAnsi(int n) const { return rightObject(n).toAnsi(); }

std::string WideText::midAnsi(int start, std::optional<int> count) const { return midObject(start, count).toAnsi(); }

void WideText::replaceAnsi(std::string_view find, std::string_view replacement, int start,
                           std::optional<int> count) {
  replaceWide(fromAnsi(find), fromAnsi(replacement), start, count);
}

void WideText::debugOutput() const { OutputDebugStringA(toAnsi().c_str()); }

void WideText::copyToClipboard() const {
  // CF_UNICODETEXT must end in a zero code unit; the buffer usually has none.
  bool terminated = buffer_.size() >= 2 && buffer_.back() == 0 && buffer_[buffer_.size() - 2] == 0;
  ByteBlock text = getData(terminated);
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size());
  if (void* target = block ? GlobalLock(block) : nullptr) {
    std::memcpy(target, text.data(), text.size());
    GlobalUnlock(block);
    // The clipboard owns the block once SetClipboardData accepts it.
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  } else if (block) {
    GlobalFree(block);
  }
  CloseClipboard();
}

}  // namespace talvek
