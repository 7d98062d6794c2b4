#include "toolkit/access/DefaultAction.h"

#include "toolkit/access/AccessibleDescription.h"
#include "toolkit/access/AccessibleTree.h"
#include "toolkit/access/ControlFactsReader.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/MessageSeal.h"

namespace talvek::default_action {

UINT message() {
  static const UINT id = RegisterWindowMessageW(L"Talvek.Toolkit.AccessibleAction");
  return id;
}

bool post(HWND window, ControlRef ref) {
  return message() != 0 && PostMessageW(window, message(), message_seal::value(), static_cast<LPARAM>(ref)) != 0;
}

bool available(Control& control) {
  const ControlFacts facts = readControlFacts(control);
  return facts.shown && !facts.disabled && !accessible::defaultActionOf(facts.kind).empty();
}

void perform(HWND window, ControlRef ref) {
  Control* control = accessible_tree::find(window, ref);
  if (!control || !available(*control)) return;
  // The router's sequence for a press and release over the centre; each
  // event may end the control (the install button leaves the registry).
  const std::intptr_t centre = MAKELONG(control->getWidth() / 2, control->getHeight() / 2);
  sendControlEvent(ref, event::kLeftDown, centre, 0);
  sendControlEvent(ref, event::kLeftUp, centre, 0);
  sendControlEvent(ref, event::kLeftClick, centre, 0);
}

void performPosted(HWND window, WPARAM wParam, LPARAM lParam) {
  if (message_seal::matches(wParam)) perform(window, static_cast<ControlRef>(lParam));
}

}  // namespace talvek::default_action
