// The base of every windowless control: an object with its own off-screen
// surface, listed in the control registry under its parent and blended into
// the back buffer of the form that hosts it. The form's routing hands it
// toolkit events through onEvent; the control keeps its state, calls its
// hooks and passes the user-visible events on to its owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/controls/ControlFade.h"
#include "toolkit/controls/ToolTip.h"
#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/MemoryCanvas.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek {

struct ControlFacts;

// The owner's event procedure: (window, control, owner code, arg1 .. arg5).
using ControlEventProc =
    std::function<int(HWND, ControlRef, int, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t)>;

// What a listener receives with event 999 (arg2 points here).
struct OwnerEventRecord {
  int code = 0;
  std::intptr_t args[5] = {};
};

class Control : public RoutedControl {
 public:
  Control() = default;
  // Leaves the registry (with its descendants) first.
  ~Control() override;

  int onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) override;

  // A detached copy: the same geometry, flags, texts, procedures and look,
  // with its own surface and images. It has no reference, is in no
  // registry and is not created, so either can go without disturbing the
  // other. Null for a class that does not copy itself.
  virtual std::unique_ptr<Control> clone() const { return nullptr; }

  // Creation under a form (negative reference) or another control; false
  // when already created or the parent is unknown.
  bool initControl(ControlRef parentRef, const Rect& area, const std::u16string& text, int canFocus, int shown,
                   int isDisabled, int showHandCursor);
  // Takes the control and its descendants out of the registry (each gets
  // event 2).
  void unregister();

  // Moves the control with its descendants under another form or control;
  // false for an unknown parent, itself or one of its own descendants.
  bool setParent(ControlRef newParent);
  // Among its siblings: kStackTop (or kStackTopOfAll) paints it last,
  // kStackBottom first. Any other value is a registry index: the control
  // takes the place of the sibling whose subtree holds that entry, painted
  // right after it when moving forwards (to a smaller index) and right
  // before it when moving backwards. Indices outside the parent's run are
  // held to its ends. Redraws.
  static constexpr int kStackBottom = 0;
  static constexpr int kStackTop = 1;
  static constexpr int kStackTopOfAll = 3641977;
  void setStacking(int position);

  // Focus and Tab.
  void focusNext();
  bool setFocus();
  bool hasFocus() const;

  void setCaption(const std::u16string& text);
  // In the system code page.
  void setCaptionAnsi(const std::string& text);
  const std::u16string& caption() const { return caption_; }
  std::string captionAnsi() const;
  int captionLength() const { return static_cast<int>(caption_.size()); }
  // Raw UTF-16LE, no terminator; a dangling odd byte is dropped.
  void setCaptionBytes(ByteView bytes);
  ByteBlock captionBytes() const;

  // A text and a number the owner keeps with the control.
  void setExtra(std::optional<std::u16string> text, std::optional<int> value);
  const std::u16string& extraText() const { return extraText_; }
  int extraValue() const { return extraValue_; }

  // A plain tip over the visible part of the control; an empty text
  // removes it.
  void setTip(const std::string& text);
  const ToolTip& tip() const { return tip_; }

  // 1-based; 0 when absent.
  int registryIndex() const;

  // Timers: tick as event 10 (key, value) on the control.
  bool setTimer(int key, int intervalMs, int value);
  bool setFastTimer(int key, int intervalMs, int value);
  void killTimer(int key);
  void killFastTimer(int key);

  // Drawing.
  void repaintSurface(bool noCompose = false);
  // Restores the control's area of the back buffer and blends everything
  // shown there, this control from dc (its surface when null).
  void compose(HDC dc = nullptr);
  void redraw();
  // As redraw, but on a layered window the surface is painted just before
  // the window next presents: however often it is asked for meanwhile, the
  // control paints once, at its latest state. Elsewhere it is redraw.
  void redrawAtPresent();
  void redrawNow();
  void requestUpdate();
  void requestUpdate(const Rect& area);
  void markDirty();
  const MemoryCanvas& surface() const { return surface_; }

  const Rect& bounds() const { return bounds_; }
  int getX() const { return bounds_.x; }
  int getY() const { return bounds_.y; }
  int getWidth() const { return bounds_.width; }
  int getHeight() const { return bounds_.height; }
  const Rect& visibleRectInParent() const { return visibleRectInParent_; }

  // Accessors of the control's own flags (the fields of the same name,
  // which these hide): a given value is stored, its event sent and the
  // control redrawn; the current value returns.
  int visible(std::optional<int> value = std::nullopt);
  int disabled(std::optional<int> value = std::nullopt);
  bool isShown() const;
  bool isDisabled() const;
  // 0 opaque .. 255 invisible; with update the control's area is
  // recomposed and presented at once.
  int transparency(std::optional<int> value = std::nullopt, bool update = false);
  // Returns the previous procedure.
  ControlEventProc setEventProc(ControlEventProc proc);
  void setListener(ControlRef ref) { listener_ = ref; }
  int fireEvent(int code, std::intptr_t arg1 = 0, std::intptr_t arg2 = 0, std::intptr_t arg3 = 0,
                std::intptr_t arg4 = 0, std::intptr_t arg5 = 0);

  bool isMouseOver() const;
  void captureMouse();
  void releaseMouse();

  // Unset values keep theirs; false when nothing changed.
  bool move(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height);

  // A cross-fade (mode 0) or a fade-in over the old look (other modes)
  // from what is on screen to a fresh paint.
  void fadeRedraw(int intervalMs, int stepPercent, int mode);
  // An animation whose frames the derived control draws in fadeOutFrame,
  // with the alpha rising from 0 to 255.
  void fadeOutRedraw(int intervalMs, int stepPercent, int mode);
  bool fadeRunning() const { return fade_.running(); }
  int fadeOutMode() const { return fade_.outMode(); }
  bool created() const { return created_ != 0; }

  // What the control is to a screen reader: its kind and what only it knows
  // (its text, checked state or value). Not const: some getters also set.
  virtual void fillFacts(ControlFacts& /*facts*/) {}

 protected:
  // The base half of clone(): everything but the registry identity.
  void copyBaseInto(Control& copy) const;

  // Draws the look at the surface origin.
  virtual void paint(Gdiplus::GpGraphics* graphics) = 0;
  // True when paint() would leave every pixel transparent: such a control
  // is neither painted nor blended, which changes no pixel.
  virtual bool drawsNothing() const { return false; }
  // False when being disabled or enabled leaves the look as it is, so the
  // change needs no redrawing.
  virtual bool showsDisabledState() const { return true; }

  // One frame of a fade-out animation, drawn into the cleared graphics.
  virtual void fadeOutFrame(Gdiplus::GpGraphics* /*graphics*/, int /*alpha*/, int /*transparency*/) {}
  virtual void onCreated() {}
  virtual void onDestroy() {}
  virtual void onFocusGained(ControlRef /*previous*/) {}
  virtual void onFocusLost(ControlRef /*next*/) {}
  virtual void onVisibilityChanged(int /*shown*/) {}
  virtual void onEnabledChanged(int /*enabled*/) {}
  virtual void onMoved() {}
  virtual void onResized() {}
  virtual void onTimer(int /*key*/, int /*value*/) {}
  virtual void onLeftDown(POINT /*point*/) {}
  virtual void onLeftUp(POINT /*point*/) {}
  virtual void onClick(POINT /*point*/) {}
  virtual void onDoubleClick(POINT /*point*/) {}
  virtual void onRightDown(POINT /*point*/) {}
  virtual void onRightUp(POINT /*point*/) {}
  virtual void onRightClick(POINT /*point*/) {}
  virtual void onRightDoubleClick(POINT /*point*/) {}
  virtual void onMouseMove(POINT /*point*/) {}
  virtual void onMouseEnter() {}
  virtual void onMouseLeave() {}
  virtual void onKeyDown(int /*key*/) {}
  virtual void onKeyUp(int /*key*/) {}
  virtual void onChar(int /*character*/) {}
  virtual void onCharMessage(int /*character*/, std::intptr_t /*keyData*/) {}
  virtual void onWheel(int /*steps*/) {}
  virtual void onParentChanged(ControlRef /*parent*/) {}
  virtual void onWindowMessage(unsigned /*message*/, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {}
  virtual void onEvent301(std::intptr_t /*arg1*/, std::intptr_t /*arg2*/) {}
  virtual void onListenedEvent(ControlRef /*sender*/, const OwnerEventRecord& /*record*/) {}
  virtual void onCaptionChanged() {}

 private:
  // Event 2: frees everything and leaves the registry; handle becomes 0.
  void destroy();
  void layout();
  // A surface of the control's size in pixels, drawn in in its own units.
  void fitSurface();
  void pointerEvent(int code, std::intptr_t packed);
  void fadeInTick();
  void fadeOutTick();
  // Starts the fade's timer; without one the new look shows at once.
  void startFadeTimer();
  // A tick came with nothing to show: its timer and the fade stop.
  void abandonFade(int timerKey);
  // Ends any running fade with the picture now on screen kept.
  void settleRunningFade();
  void finishFade();
  // Stops a running fade without keeping its picture: a full repaint follows.
  void dropRunningFade();
  void updateWindow();
  // The window is about to present: the paint redrawAtPresent put off.
  void paintPutOff();
  // Restores area of the back buffer from the background and re-blends
  // every shown control of the window there (this one and its descendants
  // unless skipSubtree).
  void recompose(const Rect& area, bool skipSubtree);
  // Where setStacking puts the control among its siblings.
  struct SiblingSlot {
    enum Place { kTop, kBottom, kInFrontOf, kBehind, kOwn } place;
    ControlRef sibling = 0;
  };
  SiblingSlot siblingSlotAt(int index) const;
  void blendInto(HDC backBuffer, const Rect& area) const;
  void showHandIfWanted() const;

  ControlRef form_ = 0;  // the form at the root of the parent chain
  Rect bounds_;
  Rect place_;  // in the window, in 96-dpi units
  int transparency_ = 0;
  HDC shownDC_ = nullptr;
  std::u16string caption_;
  ControlEventProc eventProc_;
  MemoryCanvas surface_;
  int created_ = 0;
  Rect visibleRectInParent_;
  ControlRef listener_ = 0;
  std::u16string extraText_;
  int extraValue_ = 0;
  ToolTip tip_;
  ControlFade fade_;
  int pressed_ = 0;
  int handCursor_ = 0;
  int redrawPending_ = 0;
  // redrawAtPresent left the surface behind the control's state.
  bool paintPutOff_ = false;
};

}  // namespace talvek
