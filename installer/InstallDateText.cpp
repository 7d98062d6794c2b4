#include "installer/InstallDateText.h"

#include <string>

namespace talvek {

std::string installDateText(const LocalDateTime& when) {
  using std::to_string;
  std::string text = to_string(when.year) + "年" + to_string(when.month) + "月" + to_string(when.day) + "日";
  // From the second up, parts that are zero are left out.
  if (when.second != 0) {
    return text + to_string(when.hour) + "时" + to_string(when.minute) + "分" + to_string(when.second) + "秒";
  }
  if (when.minute != 0) return text + to_string(when.hour) + "时" + to_string(when.minute) + "分";
  if (when.hour != 0) return text + to_string(when.hour) + "时";
  return text;
}

}  // namespace talvek
