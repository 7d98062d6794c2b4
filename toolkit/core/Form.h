// The skinned top-level window: a borderless popup that the toolkit paints
// entirely itself into two off-screen canvases (the painted background and
// the picture with chrome and controls), presented with a plain copy or,
// when layered, with per-pixel alpha. It drives its own caption buttons,
// dragging, border resizing and the show and close animations.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/AnimationPlayer.h"
#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/CaptionButtonSet.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/FrameCache.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MemoryCanvas.h"
#include "toolkit/core/Rect.h"
#include "toolkit/core/ShownPicture.h"
#include "toolkit/core/StyledText.h"
#include "toolkit/core/ToolkitWindow.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

// Returns true to claim the message; result is then what the window
// procedure returns.
using MessageHook = std::function<bool(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
// Returns true to cancel the caption button's own action.
using CaptionHandler = std::function<bool(int type)>;

struct FormCreateOptions {
  HWND existingWindow = nullptr;
  std::optional<TextStyleDescription> titleStyle;
  std::optional<std::u16string> titleText;
  std::optional<Rect> rectangle;
  std::optional<int> styleFlags;
  std::optional<Argb> colour1;
  std::optional<Argb> colour2;
  bool dragAnywhere = false;
  std::optional<ByteBlock> backgroundBytes;
  std::optional<Argb> backgroundColor;
  // Layered with its shadow from the start, as layeredMode(true, true)
  // makes it: the controls then compose straight into the picture the first
  // present pushes, not into one the switch would paint again. Such a form
  // shows nothing until its maker presents it (redraw).
  bool layeredWithShadow = false;
};

namespace form_timer {
inline constexpr unsigned kPresent = 203;
inline constexpr unsigned kCaptionFade = 301;
inline constexpr unsigned kAnimation = 604;
inline constexpr unsigned kPresentInterval = 30;
// The present timer's pace while nothing is drawn.
inline constexpr unsigned kRestingPresentInterval = 500;
inline constexpr unsigned kFadeInterval = 5;
// The fade timer of the caption button at a 1-based index.
inline constexpr unsigned captionFade(int index) { return kCaptionFade | (static_cast<unsigned>(index) << 16); }
}  // namespace form_timer

class Form final : public ToolkitWindow {
 public:
  Form() = default;
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The head of the form's operation table, in its fixed order.
  std::intptr_t handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void setShadowParameter(Argb value) { shadowParameter_ = value; }
  void onTimer(std::uintptr_t id);
  void destroy();
  void close();
  bool create(const FormCreateOptions& options = {});

  // Accessors: a given value is stored first; the current value returns.
  int cornerRadius(std::optional<int> radius = std::nullopt, bool redrawNow = false);
  void regionOn(bool on);
  int layeredMode(std::optional<bool> on = std::nullopt, bool shadow = false, bool redrawNow = false);
  bool blurBehind(bool enable, int radius);
  void show(std::optional<bool> visible = std::nullopt);
  bool disabled(std::optional<bool> value = std::nullopt);
  void style(int styleFlags);
  int sizable(std::optional<int> value = std::nullopt);
  bool topmost(std::optional<bool> on = std::nullopt);
  void captionAction(int type);
  void redraw(bool updateNow);
  void repaintAll();
  HWND hwnd() const override { return hwnd_; }
  void drawingPending() override;
  // On a layered window only: a plain one copies a rectangle at once.
  bool paintBeforePresent(ControlRef control) override;
  // In 96-dpi units, like everything a form is given or asked for; only
  // windowRect() and the canvases are in the screen's pixels.
  int width() const { return scale_.toLogical(windowRect_.width); }
  int height() const { return scale_.toLogical(windowRect_.height); }
  const DisplayScale& scale() const { return scale_; }
  void move(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height);
  int showEffect(std::optional<int> effect = std::nullopt, int interval = 0);
  int closeEffect(std::optional<int> effect = std::nullopt);
  // A plain window copies the rectangle (nothing when empty); a layered
  // one pushes whatever changed since its last push, wherever.
  void present(const Rect& rect);
  // What was drawn since the last present, now rather than at the present
  // timer's next tick; true when there was any.
  bool presentWhatIsPending();

  int dblClickMaximise(std::optional<int> value = std::nullopt);
  int dragLocked(std::optional<int> value = std::nullopt);
  // A busy window (one whose work would be lost with it) refuses to close
  // and answers the session's end that it may not end yet; `onRefused`
  // hears each refused message, so the owner can tell why.
  void setBusy(bool busy, std::function<void(unsigned message)> onRefused = {});
  bool busy() const { return busy_; }
  void setPreHook(MessageHook hook) { preHook_ = std::move(hook); }
  void setPostHook(MessageHook hook) { postHook_ = std::move(hook); }
  void setCaptionHandler(CaptionHandler handler) { captionHandler_ = std::move(handler); }
  // An icon image of the form's own, drawn instead of the window's icon.
  void setIconImage(ByteView bytes);

  // State for collaborators and tests.
  ControlRef objectId() const { return objectId_; }
  const Rect& windowRect() const { return windowRect_; }
  int frameInset() const { return frameInset_; }
  bool layered() const { return layered_ != 0; }
  bool maximised() const { return maximised_ != 0; }
  bool animating() const { return animating_ != 0; }
  bool presentTimerResting() const { return presentTimerResting_; }
  // Whether the layered window holds the picture last pushed to it.
  bool showsItsPicture() const { return shown_.known(); }
  Argb backgroundColor() const { return backgroundColor_; }
  const Rect& captionRect() const { return captionRect_; }
  const CaptionButtonSet& captionButtons() const { return captionButtons_; }
  const MemoryCanvas& canvas() const { return canvas_; }
  const MemoryCanvas& backgroundCanvas() const { return backgroundCanvas_; }

 private:
  // Canvas and frame.
  void refreshWindowRect();
  void layoutCaption();
  // resized: the size changed and the old picture may lend its rows.
  void rebuildCanvases(bool resized = false);
  int sharedRows(const MemoryCanvas& previous) const;
  // This form's run of the registry, in painting order.
  std::vector<ControlRef> ownControls() const;
  void layoutControls();
  void publishCanvases();
  // Composes the controls into the canvas from that pixel row down.
  void drawControls(int fromRow = 0);
  Gdiplus::GpImage* titleIcon();
  void applyRegion(bool redrawNow);
  // The window's style and the frame's inset for layered mode, before any
  // canvas is built for it.
  void setLayered(bool on, bool shadow);
  // Takes the scale of the window's screen; true when it changed.
  bool takeWindowScale();
  void placeWindow(const Rect& pixels);
  // The system's suggested place for a window moved to another screen.
  void onScaleChanged(const RECT* suggested);

  // The message table by group; each is true when it handled the message.
  bool paintMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  bool sizeMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  bool mouseMessage(unsigned message, std::intptr_t lParam);
  // Close, destroy and show; a value is the answer to return at once.
  std::optional<LRESULT> lifecycleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                         bool& closeAnimated);

  // Caption buttons, dragging and border resizing.
  void onMouseMove(POINT point);
  void onLeftDown(POINT point);
  void onLeftUp(POINT point);
  void onLeftDoubleClick(POINT point);
  void onMouseLeave();
  int borderCursorTest(POINT point, bool resize);
  void captionMouse(CaptionInput input, POINT point);
  void fadeStep(int index);
  void startDrag();
  // Where the form puts itself when it maximises.
  static Rect desktopRect();  // screen pixels
  bool controlUnder(POINT point) const;

  // Show and close animations.
  // The whole canvas, for presenting a plain window entirely.
  Rect wholeWindow() const;
  void presentLayered();
  // The controls that put their paint off until the next present paint now.
  void paintPutOffControls();
  void startAnimation(bool appear);
  void animationTick(bool appear);
  void closeWithAnimation();
  void resetMembers();

  // An idle form slows its present timer until something is drawn again:
  // its ticks would otherwise wake the program 33 times a second for
  // nothing. Resting, not stopped: a flag set with SetPropW alone, as the
  // property allows, is still presented, only later.
  void pacePresentTimer(bool resting);

  ControlRef objectId_ = 0;
  HWND hwnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;
  Rect windowRect_;  // screen pixels
  DisplayScale scale_;
  HDC windowDC_ = nullptr;
  MemoryCanvas canvas_;
  // What the layered window shows, and where and how opaque it was pushed.
  ShownPicture shown_;
  Rect shownPlace_;
  int shownAlpha_ = -1;
  MemoryCanvas backgroundCanvas_;
  FrameCache frameCache_;
  GdiplusBitmap backgroundImage_;
  GdiplusBitmap iconImage_;   // the form's own icon
  GdiplusBitmap windowIcon_;  // the window's small icon, asked for once
  bool askedWindowIcon_ = false;
  Argb backgroundColor_ = 0;
  TextStyle titleStyle_;
  std::u16string titleText_;
  CaptionButtonSet captionButtons_;
  Rect captionRect_;
  int hasCaption_ = 0;
  int sizable_ = 0;
  int cornerRadius_ = 0;
  int layered_ = 0;
  int alpha_ = 255;
  int shadow_ = 0;
  int frameInset_ = 0;
  int captionRightMargin_ = 0;
  int minTrackWidth_ = 0, minTrackHeight_ = 0;
  int maximised_ = 0;
  Rect restoreRect_;  // screen pixels: where the window was before the form maximised it
  int dblClickMaximise_ = 0;
  int dragAnywhere_ = 0;
  int dragLocked_ = 0;
  int leftDown_ = 0;
  int mouseTracked_ = 0;
  int ncDragging_ = 0;
  MessageHook preHook_, postHook_;
  CaptionHandler captionHandler_;
  Argb colour1_ = 0, colour2_ = 0;
  Argb shadowParameter_ = 0;
  AnimationPlayer animation_;
  int animating_ = 0;
  int showEffect_ = 0, closeEffect_ = 0, animationInterval_ = 0;
  bool closing_ = false;             // a close animation is being waited for
  bool busy_ = false;
  std::function<void(unsigned message)> onBusyRefusal_;
  bool inDestroyMessage_ = false;
  bool placingNewWindow_ = false;  // create() lays out and draws once it has placed the window
  bool presentTimerResting_ = false;
  std::vector<ControlRef> paintPutOff_;
};

}  // namespace talvek
