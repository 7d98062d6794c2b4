// Shared pieces of the form tests: the toolkit with its fonts and skin,
// a recording hook, and canvas pixel helpers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "toolkit/core/Form.h"

namespace talvek::test {

// Toolkit start-up (with fonts and the built-in skin), once per process.
void startFormToolkitOnce();

// Records the messages a hook sees and claims the ones listed, so that
// system loops (drag, size) never start in a test.
struct MessageRecorder {
  std::vector<UINT> seen;
  std::vector<WPARAM> wParams;
  std::vector<UINT> claimed;

  MessageHook hook();
  int count(UINT message) const;
};

// A plain (not layered) one-colour form made afresh for each test, with an
// empty control registry before and after.
class PlainFormTest : public ::testing::Test {
 protected:
  static constexpr Argb kFormColour = 0xFF336699;

  explicit PlainFormTest(const Rect& rectangle = Rect{30, 30, 300, 200}) : rectangle_(rectangle) {}
  void SetUp() override;
  void TearDown() override;

  Form form;

 private:
  Rect rectangle_;
};

// A form each test makes itself, with an empty control registry before and
// after.
class OwnFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Form form;
};

// Pixels of rect in the canvas that differ from colour.
int pixelsNotEqual(const MemoryCanvas& canvas, const Rect& rect, Argb colour);

// What a colour looks like once stored premultiplied in a canvas.
Argb premultiplied(Argb colour);

}  // namespace talvek::test
