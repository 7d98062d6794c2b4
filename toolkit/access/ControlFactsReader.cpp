#include "toolkit/access/ControlFactsReader.h"

#include "toolkit/access/AccessibleNames.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/EditBox.h"
#include "toolkit/controls/EditTextModel.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {
namespace {

std::u16string wideFrom(const std::string& ansi) {
  const std::wstring wide = toWide(ansi);
  return std::u16string(wide.begin(), wide.end());
}

void readKind(Control& control, ControlFacts& facts) {
  facts.text = control.caption();
  if (dynamic_cast<const Panel*>(&control)) {
    facts.kind = ControlKind::kPanel;
  } else if (dynamic_cast<const ImageButton*>(&control)) {
    facts.kind = ControlKind::kImageButton;
  } else if (dynamic_cast<const TriStateButton*>(&control)) {
    facts.kind = ControlKind::kTriStateButton;
  } else if (const auto* box = dynamic_cast<const CheckBox*>(&control)) {
    facts.kind = ControlKind::kCheckBox;
    facts.text = wideFrom(box->captionText());
    facts.checked = box->isChecked();
  } else if (auto* edit = dynamic_cast<EditBox*>(&control)) {
    facts.kind = ControlKind::kEditBox;
    facts.text = edit->text();
    facts.readOnly = edit->inputMode() == static_cast<int>(EditInputMode::kReadOnly);
    facts.password = edit->passwordMode();
  } else if (const auto* label = dynamic_cast<const Label*>(&control)) {
    facts.kind = ControlKind::kLabel;
    facts.text = wideFrom(label->text());
  } else if (dynamic_cast<const PictureBox*>(&control)) {
    facts.kind = ControlKind::kPictureBox;
  } else if (auto* indicator = dynamic_cast<ProgressIndicator*>(&control)) {
    facts.kind = ControlKind::kProgress;
    const float low = indicator->minimum();
    const float high = indicator->maximum();
    facts.percent = high > low ? (indicator->position() - low) * 100.0 / (high - low) : 0.0;
  }
}

}  // namespace

ControlFacts readControlFacts(Control& control) {
  ControlFacts facts;
  readKind(control, facts);
  facts.tip = wideFrom(control.tip().text());
  facts.ownerName = accessibleNames().get(control.handle);
  facts.shown = control.isShown();
  facts.disabled = control.isDisabled();
  facts.offscreen = control.visibleRect.width <= 0 || control.visibleRect.height <= 0;
  const HWND window = control.window;
  facts.focused = window && GetFocus() == window && readRefProperty(window, kFocusProperty) == control.handle;
  facts.hot = window && readRefProperty(window, kMouseOnProperty) == control.handle;
  facts.focusableFlag = control.focusable != 0;
  return facts;
}

}  // namespace talvek
