#include "installer/InstallDateText.h"

#include <cstdio>

namespace talvek {

std::string installDateText(const LocalDateTime& when) {
  char text[96];
  int length = std::snprintf(text, sizeof text, "%d年%d月%d日", when.year, when.month, when.day);
  std::string result(text, length);
  if (when.second != 0) {
    length = std::snprintf(text, sizeof text, "%d时%d分%d秒", when.hour, when.minute, when.second);
  } else if (when.minute != 0) {
    length = std::snprintf(text, sizeof text, "%d时%d分", when.hour, when.minute);
  } else if (when.hour != 0) {
    length = std::snprintf(text, sizeof text, "%d时", when.hour);
  } else {
    length = 0;
  }
  return result + std::string(text, length);
}

}  // namespace talvek
