#include "toolkit/core/WindowProperties.h"

#include "toolkit/core/Form.h"

namespace talvek {

namespace {

LPCWSTR presentPendingName() { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom)); }

// The flag's values: nothing to present, drawing waits for the timer, and
// nothing to present with the timer resting.
constexpr INT_PTR kNothingPending = 0;
constexpr INT_PTR kDrawingPending = 1;
constexpr INT_PTR kTimerResting = 2;

INT_PTR presentFlag(HWND window) { return reinterpret_cast<INT_PTR>(GetPropW(window, presentPendingName())); }

void setPresentFlag(HWND window, INT_PTR value) {
  SetPropW(window, presentPendingName(), reinterpret_cast<HANDLE>(value));
}

}  // namespace

bool presentPending(HWND window) { return presentFlag(window) == kDrawingPending; }

void setPresentPending(HWND window, bool pending) {
  const bool timerResting = pending && presentFlag(window) == kTimerResting;
  setPresentFlag(window, pending ? kDrawingPending : kNothingPending);
  // Started afresh it keeps its period while drawing goes on, so what
  // moves on screen keeps its rhythm.
  if (timerResting) SetTimer(window, form_timer::kPresent, form_timer::kPresentInterval, nullptr);
}

void restPresentTimer(HWND window) {
  SetTimer(window, form_timer::kPresent, form_timer::kRestingPresentInterval, nullptr);
  setPresentFlag(window, kTimerResting);
}

ControlRef readRefProperty(HWND window, const char* name) {
  return static_cast<ControlRef>(reinterpret_cast<INT_PTR>(GetPropA(window, name)));
}

void writeRefProperty(HWND window, const char* name, ControlRef ref) {
  SetPropA(window, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(ref)));
}

ToolkitWindow* windowObject(HWND window) { return static_cast<ToolkitWindow*>(GetPropA(window, kThisProperty)); }

void setWindowObject(HWND window, ToolkitWindow* object) { SetPropA(window, kThisProperty, object); }

}  // namespace talvek
