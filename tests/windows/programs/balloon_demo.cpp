// Shows the installer's error balloon with one of its real messages at a
// fixed point for a few seconds, so a screenshot can show how it looks.
//   balloon_demo [chinese|delete|create] [seconds]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "installer/DirectoryPreparation.h"
#include "installer/ProcessLifetime.h"
#include "installer/ServiceWindow.h"
#include "toolkit/core/GdiplusHandles.h"

int main(int argc, char** argv) {
  talvek::GdiplusSession gdiplus;
  talvek::ServiceWindow service;
  if (!service.create()) return 1;
  const std::string which = argc > 1 ? argv[1] : "delete";
  const std::string directory = "C:\\Program Files\\Talvek\\";
  const std::string message = which == "chinese" ? talvek::message::kChinesePath
                              : which == "create" ? talvek::creationFailedMessage(directory)
                                                  : talvek::deletionFailedMessage(directory);
  SetCursorPos(360, 420);
  service.showErrorBalloon(message);
  talvek::pumpMessagesFor(1000u * (argc > 2 ? std::atoi(argv[2]) : 5));
  return 0;
}
