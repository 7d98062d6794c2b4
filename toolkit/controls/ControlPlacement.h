// Where a new control goes in the registry, and the rectangle arithmetic of
// composing controls. Pure, so the placement rules are tested on plain data.
#pragma once

#include <vector>

#include "toolkit/core/ControlTree.h"

namespace talvek {

// The overlap of two rectangles; empty (zero width and height) when they
// do not overlap.
Rect intersectRects(const Rect& a, const Rect& b);
bool isEmptyRect(const Rect& rect);

// The index a new child of the entry at parentIndex takes: at the front of
// the parent's run, so it is painted after its older siblings. Scanning
// from the parent towards the front, it goes right after the first entry
// that is not deeper than the parent (or of another window), else first.
int childInsertionIndex(const ControlRegistry& registry, const ControlLookup& lookup, int parentIndex);

// Takes the subtree that ends at index (the entry and its descendants) out
// of the registry and returns it in registry order.
std::vector<ControlRef> takeSubtree(ControlRegistry& registry, const ControlLookup& lookup, int index);
// Puts a run back so that its first entry lands at index.
void insertRun(ControlRegistry& registry, int index, const std::vector<ControlRef>& run);

}  // namespace talvek
