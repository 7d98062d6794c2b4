// The modifier keys the user holds right now, as the edit box's model
// wants them. Read from the asynchronous key state, so a key pressed in
// another window while ours is focused still counts.
#pragma once

#include "toolkit/controls/EditTextModel.h"

namespace talvek {

EditModifiers heldModifiers();

}  // namespace talvek
