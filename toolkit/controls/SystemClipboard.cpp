#include "toolkit/controls/SystemClipboard.h"

#include <cstring>

#include "toolkit/core/WideText.h"

namespace talvek {
namespace {

// Closes the clipboard opened by the constructor, on every return path.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

// Unlocks a locked global block on scope exit.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (data_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* data() const { return data_; }
  SIZE_T size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace

std::optional<std::u16string> SystemClipboard::readText() {
  OpenedClipboard clipboard(owner_);
  if (!clipboard) return std::nullopt;
  LockedBlock block(GetClipboardData(CF_UNICODETEXT));
  if (!block.data()) return std::nullopt;
  // Another program's block may lack the terminator: the block's size bounds the read.
  const SIZE_T units = block.size() / sizeof(char16_t);
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), block.data(), units * sizeof(char16_t));
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

void SystemClipboard::writeText(const std::u16string& text) {
  // Same path as every other text the toolkit copies.
  WideText::fromUtf16(text).copyToClipboard();
}

}  // namespace talvek
