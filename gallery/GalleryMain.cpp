// The toolkit gallery: a dark layered form with a shadow and its caption
// buttons. Controls join it as they are built.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/core/Form.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/ToolkitStartup.h"

namespace {

constexpr talvek::Argb kDarkBackground = 0xFF1C1C1C;
constexpr talvek::Argb kTitleColour = 0xFFE8E8E8;

// "--effect N" plays show and close effect N, to look at the animations.
int effectFromCommandLine() {
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::strcmp(__argv[i], "--effect") == 0) return std::atoi(__argv[i + 1]);
  }
  return 0;
}

int runGallery() {
  talvek::toolkitStartup();

  talvek::Form form;
  talvek::FormCreateOptions options;
  options.titleText = u"Talvek toolkit gallery";
  talvek::TextStyleDescription title = talvek::defaultTextStyle(true);
  title.textColor = kTitleColour;
  options.titleStyle = title;
  options.rectangle = talvek::Rect{0, 0, 560, 380};
  options.styleFlags = talvek::defaultFormStyle();
  options.backgroundColor = kDarkBackground;
  form.create(options);
  form.sizable(1);
  form.layeredMode(true, true);
  form.setPostHook([](HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return false;
  });
  if (int effect = effectFromCommandLine()) {
    form.showEffect(effect, 16);
    form.closeEffect(effect);
  }
  form.repaintAll();
  form.show(true);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return runGallery();
  } catch (...) {
    return 1;
  }
}
