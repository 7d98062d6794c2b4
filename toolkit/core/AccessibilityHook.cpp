#include "toolkit/core/AccessibilityHook.h"

#include <atomic>

namespace talvek {
namespace {

std::atomic<AccessibilityFilter> installedFilter{nullptr};
std::atomic<CompositionOverlay> installedOverlay{nullptr};

}  // namespace

void setAccessibilityFilter(AccessibilityFilter filter) { installedFilter = filter; }

bool filterAccessibilityMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const AccessibilityFilter filter = installedFilter;
  return filter && filter(window, message, wParam, lParam, result);
}

void setCompositionOverlay(CompositionOverlay overlay) { installedOverlay = overlay; }

void drawCompositionOverlay(HWND window, HDC canvas, const Rect& area) {
  if (const CompositionOverlay overlay = installedOverlay) overlay(window, canvas, area);
}

void announceAccessibleChange(DWORD event, HWND window, ControlRef ref) {
  if (window && ref > 0) NotifyWinEvent(event, window, ref, CHILDID_SELF);
}

}  // namespace talvek
