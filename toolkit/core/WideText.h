// The toolkit's UTF-16 string. The program's own texts are GBK; window,
// font and GDI+ functions take UTF-16, so controls keep their texts here and
// convert at the boundary.
//
// The buffer is a block of UTF-16LE bytes with no stored terminator as a
// rule; a few operations (allocate, assignWindowText, assignObject) leave
// zero code units in it, which lengthW stops at and the other counts keep.
// Positions count code units: insertion positions are 0-based (the number
// of characters kept in front), mid/deleteAt/codeUnitAt are 1-based.
// Out-of-range positions and counts are clamped, never an error.
//
// The operations that convert to or from GBK, or touch windows, the
// clipboard or the debugger, are built only for Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/core/ByteBlock.h"

struct HWND__;

namespace talvek {

class WideText {
 public:
  WideText() = default;
  explicit WideText(ByteBlock utf16) : buffer_(std::move(utf16)) {}
  static WideText fromUtf16(std::u16string_view text);

  void assignAnsi(std::string_view text);
  void assignWide(ByteView bytes);
  // (count + 1) zero code units: room for count characters and a terminator.
  void allocate(int count = 256);
  void assignWindowText(HWND__* window);
  void clear();

  void insertAnsi(int pos, std::string_view text);
  void insertWide(int pos, ByteView bytes);
  // Only the low byte of pos and code are used; 0 (nothing inserted) when
  // that byte of code is zero, else 1.
  int insertChar(int pos, int code);
  void insertObject(int pos, const WideText& other);

  void appendAnsi(std::string_view text);
  void appendWide(ByteView bytes);
  void appendChar(int code);
  void appendObject(const WideText& other);

  void deleteLeft(int n);
  void deleteRight(int n);
  void deleteAt(int pos);
  void deleteRange(int start, int count);

  // GBK (the OEM code page) up to the first zero code unit.
  std::string toAnsi() const;
  ByteBlock getData(bool noTerminator = false) const;

  ByteBlock left(int n, bool noTerminator = false) const;
  std::string leftAnsi(int n) const;
  WideText leftObject(int n) const;
  ByteBlock right(int n, bool noTerminator = false) const;
  std::string rightAnsi(int n) const;
  WideText rightObject(int n) const;
  // count characters from 1-based start; the rest of the text when count is absent.
  ByteBlock mid(int start = 1, std::optional<int> count = std::nullopt, bool noTerminator = false) const;
  std::string midAnsi(int start, std::optional<int> count = std::nullopt) const;
  WideText midObject(int start, std::optional<int> count = std::nullopt) const;

  int codeUnitAt(int pos) const;

  // Replaces at most count occurrences (all when absent) of find, searching
  // from 1-based byte position start. Matches are code-unit aligned.
  void replaceWide(ByteView find, ByteView replacement, int start = 1, std::optional<int> count = std::nullopt);
  void replaceAnsi(std::string_view find, std::string_view replacement, int start = 1,
                   std::optional<int> count = std::nullopt);
  void replaceObjects(const WideText& find, const WideText& replacement, int start = 1,
                      std::optional<int> count = std::nullopt);

  // Takes the other text with a terminator appended (so equals() holds after).
  void assignObject(const WideText& other);
  void copyInto(WideText& other) const;
  bool isEmpty() const { return buffer_.empty(); }
  // Byte equality with other.getData() including its terminator.
  bool equals(const WideText& other) const;
  // Characters before the first zero code unit.
  int lengthW() const;

  void debugOutput() const;
  void copyToClipboard() const;

  // The buffer as it stands, for calls that read it in place.
  const ByteBlock& bytes() const { return buffer_; }
  // The text with a terminator, for Windows calls taking LPCWSTR.
  std::u16string toUtf16() const;

 private:
  ByteBlock buffer_;
};

}  // namespace talvek
