#include "toolkit/controls/HeldModifiers.h"

#include <windows.h>

namespace talvek {
namespace {

bool held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

EditModifiers heldModifiers() {
  return EditModifiers{
      .ctrl = held(VK_CONTROL),
      .shift = held(VK_SHIFT),
      .alt = held(VK_MENU),
      .escape = held(VK_ESCAPE),
      .enter = held(VK_RETURN),
  };
}

}  // namespace talvek
