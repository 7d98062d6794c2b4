// Any sequence of edit-box input: the caret and selection stay inside the
// text, a limit once set is never exceeded, read-only mode never changes the
// text, the password view always has one mask per character, and the caret
// never splits a surrogate pair.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/controls/EditTextModel.h"

namespace {

class ScriptedClipboard : public talvek::EditClipboard {
 public:
  std::u16string contents = u"clip\U0001F600board";
  std::optional<std::u16string> readText() override { return contents; }
  void writeText(const std::u16string& text) override { contents = text; }
};

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  talvek::EditTextModel model;
  ScriptedClipboard clipboard;
  std::size_t i = 0;
  auto next = [&]() -> int { return i < size ? data[i++] : 0; };
  while (i < size) {
    const int op = next() % 10;
    const int a = next();
    const int b = next();
    const talvek::EditModifiers modifiers{.ctrl = (b & 1) != 0, .shift = (b & 2) != 0, .alt = (b & 4) != 0};
    const std::u16string before = model.text();
    const bool readOnly = model.inputMode() == 1;
    const bool limited = model.maxLength() >= 0 && model.length() <= model.maxLength();
    switch (op) {
      case 0: model.character(a | (b << 8), {}); break;
      case 1: model.keyDown(a, modifiers, clipboard); break;
      case 2: model.pressAt(a - 20); break;
      case 3: model.dragTo(a - 20, (b & 8) != 0); break;
      case 4: model.paste(std::u16string(static_cast<std::size_t>(a % 40), static_cast<char16_t>(b << 8 | a))); break;
      case 5: model.setInputMode(a % 10); break;
      case 6: model.setMaxLength(a % 30 - 1); break;
      case 7: model.setPasswordMode((a & 1) != 0); break;
      case 8: model.setCaret(a - 20); break;
      case 9: model.setText(std::u16string(static_cast<std::size_t>(a % 50), u'x')); break;
    }
    if (readOnly && op <= 4) check(model.text() == before);
    if (limited && op <= 4) check(model.length() <= model.maxLength());
    check(model.caret() >= 0 && model.caret() <= model.length());
    // The caret never stands between the two halves of a character.
    const std::u16string& text = model.text();
    const int c = model.caret();
    check(!(c > 0 && c < model.length() && text[c - 1] >= 0xD800 && text[c - 1] <= 0xDBFF && text[c] >= 0xDC00 &&
            text[c] <= 0xDFFF));
    const talvek::EditSelection s = model.selection();
    check(s.start >= 0 && s.length >= 0 && s.start + s.length <= model.length());
    check(model.shownText().size() == model.text().size());
    model.selectedShownText();
  }
  return 0;
}
