// What a screen reader is told about one control, gathered from the plain
// control data so the mapping to roles, states and names needs no windows.
#pragma once

#include <string>

namespace talvek {

enum class ControlKind {
  kOther,
  kPanel,
  kImageButton,
  kTriStateButton,
  kCheckBox,
  kEditBox,
  kLabel,
  kPictureBox,
  kProgress,
};

struct ControlFacts {
  ControlKind kind = ControlKind::kOther;
  std::u16string text;       // caption, label text or the edit box's text
  std::u16string tip;
  std::u16string ownerName;  // a name the owner gave for controls without text
  bool shown = true;
  bool disabled = false;
  bool offscreen = false;    // shown but clipped away by its parent or the window
  bool focused = false;
  bool hot = false;          // under the pointer
  bool focusableFlag = false;
  bool checked = false;
  bool readOnly = false;
  bool password = false;
  double percent = 0;        // progress, 0..100
};

}  // namespace talvek
