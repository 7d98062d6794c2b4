// The toolkit gallery: a dark layered form with a shadow showing every
// control in its states (hover and pressed are put on them by sending the
// pointer events a user would cause), for people to look at and for the
// screenshot the test run keeps.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "installer/InstallerArt.h"
#include "toolkit/access/AccessibilityServer.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/EditBox.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/ToolkitStartup.h"

namespace {

using namespace talvek;

constexpr Argb kDarkBackground = 0xFF1C1C1C;
constexpr Argb kTitleColour = 0xFFE8E8E8;
constexpr Argb kRed = 0xFFB31935;
constexpr Argb kSection = 0x0AFFFFFF;
constexpr Argb kCaption = 0xFF9A9A9A;
constexpr Argb kText = 0xFFDADADA;

// "--effect N" plays show and close effect N, to look at the animations.
int effectFromCommandLine() {
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::strcmp(__argv[i], "--effect") == 0) return std::atoi(__argv[i + 1]);
  }
  return 0;
}

std::intptr_t at(int x, int y) { return (static_cast<std::intptr_t>(y) << 16) | x; }

// Left-aligned and vertically centred: the gallery reads like a form.
TextStyleDescription style(int size, Argb colour) {
  return describeTextStyle(style_flag::kAlignNear | style_flag::kLineCenter, std::nullopt, size, colour, 0);
}

// Everything on the form; controls live as long as the gallery.
class Gallery {
 public:
  bool build(int effect) {
    FormCreateOptions options;
    options.titleText = u"Talvek toolkit gallery";
    TextStyleDescription title = defaultTextStyle(true);
    title.textColor = kTitleColour;
    options.titleStyle = title;
    options.rectangle = Rect{0, 0, 760, 560};
    options.styleFlags = defaultFormStyle();
    options.backgroundColor = kDarkBackground;
    if (!form_.create(options)) return false;
    form_.layeredMode(true, true);
    form_.setPostHook([](HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
      if (message == WM_DESTROY) PostQuitMessage(0);
      return false;
    });
    if (effect) {
      form_.showEffect(effect, 16);
      form_.closeEffect(effect);
    }
    buttons({20, 44, 350, 150});
    pictures({390, 44, 350, 150});
    checkBoxes({20, 206, 350, 130});
    edits({390, 206, 350, 130});
    progress({20, 348, 720, 190});
    form_.repaintAll();
    form_.show(true);
    return true;
  }

 private:
  template <typename T>
  T& add() {
    owned_.push_back(std::make_unique<T>());
    return static_cast<T&>(*owned_.back());
  }

  ControlRef section(const Rect& area, const char* title) {
    Panel& panel = add<Panel>();
    panel.create(form_.objectId(), area, kSection);
    add<Label>().create(panel.handle, {10, 6, area.width - 20, 20}, title, style(12, kCaption));
    return panel.handle;
  }

  void caption(ControlRef parent, const Rect& area, const char* text) {
    add<Label>().create(parent, area, text, style(11, kCaption));
  }

  void buttons(const Rect& area) {
    const ControlRef panel = section(area, "ImageButton / TriStateButton: normal, hover, pressed");
    for (int i = 0; i < 2; ++i) {
      ImageButton& button = add<ImageButton>();
      button.create(panel, {14 + i * 44, 36, 30, 31}, installer_art::close());
      if (i == 1) sendControlEvent(button.handle, event::kMouseEnter, 0, 0);
    }
    caption(panel, {10, 70, 90, 16}, "close: hover");
    for (int i = 0; i < 2; ++i) {
      ImageButton& button = add<ImageButton>();
      button.create(panel, {110 + i * 84, 36, 64, 30}, installer_art::advanced());
      if (i == 1) sendControlEvent(button.handle, event::kMouseEnter, 0, 0);
    }
    for (int state = 0; state < 3; ++state) {
      TriStateButton& button = add<TriStateButton>();
      button.create(panel, {10 + state * 112, 92, 104, 26}, installer_art::installNormal(), installer_art::installHover(),
                    installer_art::installPressed());
      if (state >= 1) sendControlEvent(button.handle, event::kMouseEnter, 0, 0);
      if (state == 2) sendControlEvent(button.handle, event::kLeftDown, at(5, 5), 0);
    }
    caption(panel, {10, 122, 330, 16}, "(an image larger than its button is clipped)");
  }

  void pictures(const Rect& area) {
    const ControlRef panel = section(area, "PictureBox and Label");
    add<PictureBox>().create(panel, {10, 32, 333, 49}, installer_art::headerSmall());
    TextStyleDescription glow =
        describeTextStyle(style_flag::kBold | style_flag::kGlow, std::nullopt, 16, 0xFFFFFFFF, 0xFFB31935);
    add<Label>().create(panel, {14, 88, 320, 26}, "发光的文字 Glowing text", glow);
    add<Label>().create(panel, {14, 116, 320, 24}, "即将开启Talvek之旅...", style(16, kRed));
  }

  void checkBoxes(const Rect& area) {
    const ControlRef panel = section(area, "CheckBox: checked, unchecked, disabled");
    const char* captions[] = {"创建桌面快捷方式", "创建开始菜单快捷方式", "禁用且选中", "禁用未选中"};
    for (int i = 0; i < 4; ++i) {
      CheckBox& box = add<CheckBox>();
      box.create(panel, {14, 32 + i * 24, 300, 18}, 0x64000000, 0xFFFFFFFF, captions[i], style(13, 0x96ECECEC));
      box.checked(i == 0 || i == 2 ? 1 : 0);
      if (i >= 2) box.disabled(1);
    }
  }

  void edits(const Rect& area) {
    const ControlRef panel = section(area, "EditBox: selection, password, read-only");
    EditBoxOptions plain;
    plain.selectBackColor = kRed;
    plain.selectTextColor = 0xFFFFFFFF;
    plain.backColor = 0xFF262626;
    plain.frameColor = 0xFF5E5E5E;
    plain.focusFrameColor = kRed;
    EditBox& selected = add<EditBox>();
    selected.create(panel, {10, 32, 330, 28}, "D:\\Games\\Talvek\\", style(13, kText), plain);
    // A drag across the start of the text, as the mouse would make it.
    sendControlEvent(selected.handle, event::kLeftDown, at(6, 12), 0);
    sendControlEvent(selected.handle, event::kMouseMove, at(70, 12), 0);
    sendControlEvent(selected.handle, event::kLeftUp, at(70, 12), 0);

    EditBoxOptions password = plain;
    password.passwordMode = 1;
    add<EditBox>().create(panel, {10, 66, 330, 28}, "secret", style(13, kText), password);

    EditBoxOptions readOnly = plain;
    readOnly.inputMode = 1;
    readOnly.backColor = 0;
    readOnly.frameColor = 0;
    add<EditBox>().create(panel, {10, 98, 330, 28}, "C:\\Program Files\\Talvek\\", style(13, 0xFF808080), readOnly);
  }

  void progress(const Rect& area) {
    const ControlRef panel = section(area, "ProgressIndicator: bar, vertical bar, ring, busy ring");
    ProgressOptions bar;
    bar.position = 60;
    bar.look = kLookHorizontalBar;
    bar.textStyle = style(11, 0xFFFFFFFF);
    add<ProgressIndicator>().create(panel, {14, 40, 220, 22}, bar);
    ProgressOptions vertical = bar;
    vertical.position = 40;
    vertical.look = kLookVerticalBar;
    add<ProgressIndicator>().create(panel, {14, 76, 22, 100}, vertical);

    ProgressOptions ring;
    ring.color1 = kRed;
    ring.color2 = kRed;
    ring.backColor = kRed;
    ring.borderColor = 0xFF000000;
    ring.textStyle = describeTextStyle(std::nullopt, std::nullopt, 15, 0xFFFFFFFF, std::nullopt);
    ring.position = 72;
    ring.look = kLookRing;
    add<ProgressIndicator>().create(panel, {300, 20, 160, 160}, ring);
    ring.position = 35;
    ring.look = kLookBusyRing;
    add<ProgressIndicator>().create(panel, {520, 20, 160, 160}, ring);
  }

  Form form_;
  std::vector<std::unique_ptr<Control>> owned_;
};

int runGallery() {
  toolkitStartup();
  enableAccessibility();
  Gallery gallery;
  if (!gallery.build(effectFromCommandLine())) return 1;
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
