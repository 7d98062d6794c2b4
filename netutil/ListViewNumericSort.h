// Sorts a report list view's rows by one column read as whole numbers.
#pragma once

#include <windows.h>

namespace talvek {

class ListViewNumericSort {
 public:
  // The rows' own item data are the same afterwards: the sort lends each row
  // its index for the comparison and gives the data back.
  static void sort(HWND listView, int column, bool descending);
};

}  // namespace talvek
