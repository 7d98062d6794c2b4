// The edit box's colours and their property names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/PropertyText.h"

namespace talvek {

struct EditBoxColors {
  Argb selectBack = 0xFFE64C66;  // RGB(230, 76, 102)
  Argb selectText = 0xFFFFFFFF;
  Argb frame = 0xFF1E2223;       // RGB(30, 34, 35)
  Argb focusFrame = 0xFF1E2223;
  Argb back = 0xFF1CBB9D;        // RGB(28, 187, 157)
  Argb caret = 0xFF0000FF;
};

// Applies the known names ("SelectBkgColor", "SelectColor", "FarmeColor",
// "BkgColor", "StringFormat"), skipping others; returns the "StringFormat"
// text when one was given, for the control to rebuild its style.
std::optional<std::string> applyEditBoxProperties(EditBoxColors& colors, const std::vector<PropertyEntry>& list);
std::vector<PropertyEntry> listEditBoxProperties(const EditBoxColors& colors, const std::string& styleText);

}  // namespace talvek
