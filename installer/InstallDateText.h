// The text the uninstall entry records as its installation date.
#pragma once

#include <string>

namespace talvek {

struct LocalDateTime {
  int year, month, day, hour, minute, second;
};

// "2015年7月18日12时30分45秒"; trailing zero parts are left out from the
// second upwards, so midnight gives the date alone. GBK text.
std::string installDateText(const LocalDateTime& when);

}  // namespace talvek
