#include "tests/windows/form/FormTestSupport.h"

#include <algorithm>

#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/ControlRegistry.h"

namespace talvek::test {

void startFormToolkitOnce() { startToolkitOnce(); }

void PlainFormTest::SetUp() {
  startFormToolkitOnce();
  controlRegistry().clear();
  FormCreateOptions options;
  options.rectangle = rectangle_;
  options.styleFlags = 0;
  options.backgroundColor = kFormColour;
  form.create(options);
  ASSERT_TRUE(IsWindow(form.hwnd()));
}

void PlainFormTest::TearDown() {
  form.destroy();
  controlRegistry().clear();
}

void OwnFormTest::SetUp() {
  startFormToolkitOnce();
  controlRegistry().clear();
}

void OwnFormTest::TearDown() {
  form.destroy();
  controlRegistry().clear();
}

MessageHook MessageRecorder::hook() {
  return [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    seen.push_back(message);
    wParams.push_back(wParam);
    result = 0;
    return std::find(claimed.begin(), claimed.end(), message) != claimed.end();
  };
}

int MessageRecorder::count(UINT message) const {
  return static_cast<int>(std::count(seen.begin(), seen.end(), message));
}

int pixelsNotEqual(const MemoryCanvas& canvas, const Rect& rect, Argb colour) {
  int differing = 0;
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) differing += canvas.pixel(x, y) != colour ? 1 : 0;
  }
  return differing;
}

Argb premultiplied(Argb colour) {
  const Argb a = colour >> 24;
  auto channel = [&](int shift) { return (((colour >> shift) & 0xFF) * a / 255) << shift; };
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace talvek::test
