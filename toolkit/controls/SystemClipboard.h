// The edit box's clipboard backed by the Windows clipboard (CF_UNICODETEXT).
#pragma once

#include <windows.h>

#include "toolkit/controls/EditTextModel.h"

namespace talvek {

class SystemClipboard : public EditClipboard {
 public:
  // owner: the window that opens the clipboard (may be null).
  explicit SystemClipboard(HWND owner = nullptr) : owner_(owner) {}

  // The clipboard's text up to its terminator, never past the block's end;
  // empty optional when there is no text or the clipboard is busy.
  std::optional<std::u16string> readText() override;
  void writeText(const std::u16string& text) override;

 private:
  HWND owner_;
};

}  // namespace talvek
