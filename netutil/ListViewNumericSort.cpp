#include "netutil/ListViewNumericSort.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "netutil/NumericOrder.h"

namespace talvek {
namespace {

constexpr int kCellTextBuffer = 260;

struct SortRows {
  std::vector<std::string> texts;
  bool descending;
};

std::string cellText(HWND listView, int row, int column) {
  char buffer[kCellTextBuffer] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = kCellTextBuffer;
  SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  return std::string(buffer);
}

LPARAM itemData(HWND listView, int row) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void setItemData(HWND listView, int row, LPARAM data) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  SendMessageA(listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The sort context travels in the message's own parameter, so two list
// views can be sorted on two threads at once.
int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM context) {
  const SortRows& rows = *reinterpret_cast<const SortRows*>(context);
  size_t a = static_cast<size_t>(first);
  size_t b = static_cast<size_t>(second);
  if (a >= rows.texts.size() || b >= rows.texts.size()) return 0;
  return compareNumericTexts(rows.texts[a], rows.texts[b], rows.descending);
}

}  // namespace

void ListViewNumericSort::sort(HWND listView, int column, bool descending) {
  int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return;
  SortRows rows{{}, descending};
  std::vector<LPARAM> ownData;
  for (int row = 0; row < count; ++row) {
    rows.texts.push_back(cellText(listView, row, column));
    ownData.push_back(itemData(listView, row));
    setItemData(listView, row, static_cast<LPARAM>(row));
  }
  SendMessageA(listView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rows),
               reinterpret_cast<LPARAM>(&compareRows));
  for (int row = 0; row < count; ++row) {
    size_t original = static_cast<size_t>(itemData(listView, row));
    if (original < ownData.size()) setItemData(listView, row, ownData[original]);
  }
}

}  // namespace talvek
