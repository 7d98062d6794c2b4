#include "toolkit/access/ControlFactsReader.h"

#include "toolkit/access/AccessibleNames.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

ControlFacts readControlFacts(Control& control) {
  ControlFacts facts;
  facts.text = control.caption();
  control.fillFacts(facts);
  facts.tip = ansiToUtf16(control.tip().text());
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
