// The caption buttons of a form as plain data: which buttons the style asks
// for, where they sit, which state each one is in and how its cross-fade
// advances. Mouse input comes in as points; what the window must do about
// it (capture, an action, a fade timer) comes back as an outcome, so the
// behaviour is tested without a window.
#pragma once

#include <array>
#include <vector>

#include "toolkit/core/Rect.h"

namespace talvek {

namespace caption {
inline constexpr int kClose = 1;
inline constexpr int kMaximise = 2;
inline constexpr int kRestore = 3;
inline constexpr int kMinimise = 4;
inline constexpr int kMenu = 5;
inline constexpr int kHelp = 6;
inline constexpr int kSkin = 7;
inline constexpr int kTypeCount = 7;

inline constexpr int kNormal = 1;
inline constexpr int kHot = 2;
inline constexpr int kPressed = 3;

inline constexpr int kFadeFull = 100;
inline constexpr int kFadeStep = 8;
}  // namespace caption

// Form style flags that concern the caption.
namespace form_style {
inline constexpr int kCentre = 1;
inline constexpr int kCaptionButtons = 2;
inline constexpr int kMaximiseButton = 4;
inline constexpr int kMinimiseButton = 8;
inline constexpr int kToolWindow = 16;
inline constexpr int kMenuButton = 64;
inline constexpr int kHelpButton = 128;
inline constexpr int kSkinButton = 256;
}  // namespace form_style

struct CaptionButtonRecord {
  int type = 0;
  int state = caption::kNormal;       // requested
  int shownState = caption::kNormal;  // last drawn in full
  Rect rect;
  int fade = 0;  // 100 at the start of a cross-fade, 0 when it is over
};

struct ButtonSize {
  int width = 0;
  int height = 0;
};

enum class CaptionInput { Move, Down, Up, Leave };

struct CaptionOutcome {
  bool takeCapture = false;
  bool releaseCapture = false;
  int action = 0;             // the type of a button clicked, or 0
  bool downOutside = false;   // a button-down that hit no caption button
  std::vector<int> fadesToStart;  // 1-based indices whose state changed
};

class CaptionButtonSet {
 public:
  // Close first, then the others the flags ask for; without the caption
  // button flag the set is empty. Every button starts normal.
  void rebuild(int styleFlags);
  void clear();

  // Right to left from the window's right edge, each button as large as its
  // normal image (sizes indexed by type - 1), touching its neighbour.
  void layout(int windowWidth, int frameInset, int rightMargin,
              const std::array<ButtonSize, caption::kTypeCount>& normalSizes);

  int totalWidth() const;
  // 1-based index of the button holding the point, or 0. A button owns its
  // left and top edge, so neighbours never share a pixel.
  int indexAt(int x, int y) const;

  CaptionOutcome mouse(CaptionInput input, int x, int y);

  // One tick of button index's cross-fade; true when the fade has ended
  // (the shown state is then the requested one).
  bool fadeStep(int index);

  // The maximise button turns into restore and back.
  void setMaximised(bool maximised);

  int count() const { return static_cast<int>(buttons_.size()); }
  // 1-based; index must be valid.
  const CaptionButtonRecord& at(int index) const { return buttons_[index - 1]; }
  const std::vector<CaptionButtonRecord>& buttons() const { return buttons_; }

 private:
  void request(int index, int state, CaptionOutcome& outcome);

  std::vector<CaptionButtonRecord> buttons_;
  int pressed_ = 0;  // 1-based index of the button holding the capture
};

}  // namespace talvek
