#include "toolkit/core/WideText.h"

#include <algorithm>

namespace talvek {
namespace {

constexpr std::size_t kUnit = 2;

// Byte count of n characters, clamped to [0, limit].
std::size_t charBytes(long long n, std::size_t limit) {
  if (n <= 0) return 0;
  return static_cast<std::size_t>(std::min<long long>(n * static_cast<long long>(kUnit), limit));
}

bool endsWithZeroUnit(ByteView bytes) {
  return bytes.size() >= kUnit && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0;
}

ByteView withoutTrailingZero(ByteView bytes) {
  return endsWithZeroUnit(bytes) ? bytes.first(bytes.size() - kUnit) : bytes;
}

// Every trailing zero code unit removed, as search patterns are used.
ByteView withoutTrailingZeros(ByteView bytes) {
  while (endsWithZeroUnit(bytes)) bytes = bytes.first(bytes.size() - kUnit);
  return bytes;
}

ByteBlock sliced(ByteView bytes, std::size_t offset, std::size_t length, bool noTerminator) {
  offset = std::min(offset, bytes.size());
  length = std::min(length, bytes.size() - offset);
  ByteBlock out(bytes.begin() + offset, bytes.begin() + offset + length);
  if (!noTerminator) out.insert(out.end(), kUnit, 0);
  return out;
}

}  // namespace

WideText WideText::fromUtf16(std::u16string_view text) {
  ByteBlock bytes;
  bytes.reserve(text.size() * kUnit);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return WideText(std::move(bytes));
}

void WideText::assignWide(ByteView bytes) { buffer_.assign(bytes.begin(), bytes.end()); }

void WideText::allocate(int count) { buffer_.assign((static_cast<std::size_t>(std::max(count, 0)) + 1) * kUnit, 0); }

void WideText::clear() { buffer_.clear(); }

void WideText::insertWide(int pos, ByteView bytes) {
  ByteView inserted = withoutTrailingZero(bytes);
  std::size_t at = charBytes(pos, buffer_.size());
  ByteBlock joined;
  joined.reserve(buffer_.size() + inserted.size());
  joined.insert(joined.end(), buffer_.begin(), buffer_.begin() + at);
  joined.insert(joined.end(), inserted.begin(), inserted.end());
  joined.insert(joined.end(), buffer_.begin() + at, buffer_.end());
  buffer_ = std::move(joined);
}

int WideText::insertChar(int pos, int code) {
  auto unit = static_cast<std::uint8_t>(code & 0xFF);
  if (unit == 0) return 0;
  const std::uint8_t bytes[] = {unit, 0};
  insertWide(pos & 0xFF, bytes);
  return 1;
}

void WideText::insertObject(int pos, const WideText& other) { insertWide(pos, other.getData(false)); }

void WideText::appendWide(ByteView bytes) {
  ByteView appended = withoutTrailingZero(bytes);
  buffer_.insert(buffer_.end(), appended.begin(), appended.end());
}

void WideText::appendChar(int code) {
  buffer_.push_back(static_cast<std::uint8_t>(code & 0xFF));
  buffer_.push_back(0);
}

// The other text is taken whole, zero code units included.
void WideText::appendObject(const WideText& other) {
  buffer_.insert(buffer_.end(), other.buffer_.begin(), other.buffer_.end());
}

void WideText::deleteLeft(int n) { buffer_.erase(buffer_.begin(), buffer_.begin() + charBytes(n, buffer_.size())); }

void WideText::deleteRight(int n) { buffer_.resize(buffer_.size() - charBytes(n, buffer_.size())); }

void WideText::deleteAt(int pos) {
  if (pos < 1) return;
  deleteRange(pos - 1, 1);
}

void WideText::deleteRange(int start, int count) {
  std::size_t from = charBytes(start, buffer_.size());
  std::size_t length = charBytes(count, buffer_.size() - from);
  buffer_.erase(buffer_.begin() + from, buffer_.begin() + from + length);
}

ByteBlock WideText::getData(bool noTerminator) const { return sliced(buffer_, 0, buffer_.size(), noTerminator); }

ByteBlock WideText::left(int n, bool noTerminator) const {
  return sliced(buffer_, 0, charBytes(n, buffer_.size()), noTerminator);
}

WideText WideText::leftObject(int n) const { return WideText(left(n, true)); }

ByteBlock WideText::right(int n, bool noTerminator) const {
  std::size_t length = charBytes(n, buffer_.size());
  return sliced(buffer_, buffer_.size() - length, length, noTerminator);
}

WideText WideText::rightObject(int n) const { return WideText(right(n, true)); }

ByteBlock WideText::mid(int start, std::optional<int> count, bool noTerminator) const {
  std::size_t offset = charBytes(static_cast<long long>(std::max(start, 1)) - 1, buffer_.size());
  std::size_t length = count ? charBytes(*count, buffer_.size()) : buffer_.size();
  return sliced(buffer_, offset, length, noTerminator);
}

WideText WideText::midObject(int start, std::optional<int> count) const { return WideText(mid(start, count, true)); }

int WideText::codeUnitAt(int pos) const {
  if (pos < 0) return 0;
  std::size_t offset = static_cast<std::size_t>(std::max(pos, 1) - 1) * kUnit;
  if (offset + kUnit > buffer_.size()) return 0;
  return buffer_[offset] | (buffer_[offset + 1] << 8);
}

void WideText::replaceWide(ByteView find, ByteView replacement, int start, std::optional<int> count) {
  ByteView pattern = withoutTrailingZeros(find);
  ByteView insert = withoutTrailingZeros(replacement);
  if (pattern.empty() || (count && *count <= 0)) return;
  // Code-unit aligned: a match across two characters would split both.
  std::size_t from = static_cast<std::size_t>(std::max(start, 1) - 1);
  from += from % kUnit;
  if (from >= buffer_.size()) return;

  ByteBlock out(buffer_.begin(), buffer_.begin() + from);
  int replaced = 0;
  std::size_t at = from;
  while (at < buffer_.size()) {
    bool budgetLeft = !count || replaced < *count;
    if (budgetLeft && buffer_.size() - at >= pattern.size() &&
        std::equal(pattern.begin(), pattern.end(), buffer_.begin() + at)) {
      out.insert(out.end(), insert.begin(), insert.end());
      at += pattern.size();
      ++replaced;
      continue;
    }
    std::size_t step = std::min(kUnit, buffer_.size() - at);
    out.insert(out.end(), buffer_.begin() + at, buffer_.begin() + at + step);
    at += step;
  }
  buffer_ = std::move(out);
}

void WideText::replaceObjects(const WideText& find, const WideText& replacement, int start,
                              std::optional<int> count) {
  replaceWide(find.buffer_, replacement.buffer_, start, count);
}

void WideText::assignObject(const WideText& other) { buffer_ = other.getData(false); }

void WideText::copyInto(WideText& other) const { other.assignWide(buffer_); }

bool WideText::equals(const WideText& other) const { return buffer_ == other.getData(false); }

int WideText::lengthW() const {
  int length = 0;
  for (std::size_t i = 0; i < buffer_.size(); i += kUnit) {
    std::uint8_t high = i + 1 < buffer_.size() ? buffer_[i + 1] : 0;
    if (buffer_[i] == 0 && high == 0) break;
    ++length;
  }
  return length;
}

std::u16string WideText::toUtf16() const {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < buffer_.size(); i += kUnit) {
    auto unit = static_cast<char16_t>(buffer_[i] | (buffer_[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace talvek
