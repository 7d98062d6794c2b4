#include "toolkit/core/Form.h"

#include <algorithm>

#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/CaptionButtonPainter.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/ControlTree.h"
#include "toolkit/core/DisplayDpi.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/FormFrame.h"
#include "toolkit/core/FormGlobals.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/ToolkitLookup.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/ToolkitStartup.h"
#include "toolkit/core/ToolkitWindowProc.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {
namespace {

constexpr int kDefaultWidth = 380, kDefaultHeight = 250;
constexpr int kCaptionRightMargin = 10;
constexpr int kMinTrackWidth = 200, kMinTrackHeight = 80;
constexpr DWORD kFormStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr Argb kDefaultColour1 = colorFromRgb(0xFFFFFF, 96);
constexpr Argb kDefaultColour2 = colorFromRgb(0, 96);
constexpr Argb kDefaultBackground = 0x01FFFFFF;

void setHandleProperty(HWND window, const char* name, const void* value) {
  SetPropA(window, name, const_cast<HANDLE>(static_cast<const void*>(value)));
}

using LayeredPartUpdate = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);

// Looked up, not imported: Windows XP has no such function.
LayeredPartUpdate layeredPartUpdate() {
  static const auto update = reinterpret_cast<LayeredPartUpdate>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindowIndirect")));
  return update;
}

}  // namespace

Form::~Form() {
  try {
    if (hwnd_) destroy();
  } catch (...) {
    // Nothing may leave a destructor.
  }
}

bool Form::create(const FormCreateOptions& options) {
  if (hwnd_) destroy();
  frameCache_.forget();
  colour1_ = options.colour1.value_or(kDefaultColour1);
  colour2_ = options.colour2.value_or(kDefaultColour2);
  const int styleFlags = options.styleFlags.value_or(defaultFormStyle());
  const ByteBlock backgroundBytes = options.backgroundBytes.value_or(defaultFormBackground());
  captionRightMargin_ = kCaptionRightMargin;
  dragAnywhere_ = options.dragAnywhere ? 1 : 0;
  hasCaption_ = 1;
  dblClickMaximise_ = 1;

  if (options.existingWindow && IsWindow(options.existingWindow)) {
    hwnd_ = options.existingWindow;
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(kFormStyle));
  } else {
    const Rect r = options.rectangle.value_or(Rect{0, 0, kDefaultWidth, kDefaultHeight});
    const DWORD exStyle = (styleFlags & form_style::kToolWindow) ? WS_EX_TOOLWINDOW : 0;
    hwnd_ = CreateWindowExW(exStyle, L"RbSoft.RbUI.WindowClass.Window", L"", kFormStyle, r.x, r.y, r.width, r.height,
                            nullptr, nullptr, nullptr, nullptr);
  }
  if (!hwnd_) return true;  // creation reports success; the window simply is not there

  objectId_ = controlReferences().addForm(this);
  SetPropA(hwnd_, kObjectIdProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(objectId_)));
  controlRegistry().insertAt(1, objectId_);
  setWindowObject(hwnd_, this);
  oldProc_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolkitWindowProc)));
  setHandleProperty(hwnd_, kOldProcProperty, reinterpret_cast<void*>(oldProc_));
  windowDC_ = GetDC(hwnd_);

  takeWindowScale();
  const bool centre = (styleFlags & form_style::kCentre) != 0;
  Rect target = scale_.toDevice(options.rectangle.value_or(Rect{}));
  // A window made here was made at its size in units; one handed in keeps
  // the pixels it has.
  const bool scaleMadeWindow = !options.rectangle && !options.existingWindow && !scale_.identity();
  if (!options.rectangle) {
    RECT current{};
    GetWindowRect(hwnd_, &current);
    target = {current.left, current.top, current.right - current.left, current.bottom - current.top};
    if (scaleMadeWindow) target = {target.x, target.y, scale_.toDevice(target.width), scale_.toDevice(target.height)};
  }
  if (centre) {
    target.x = (GetSystemMetrics(SM_CXSCREEN) - target.width) / 2;
    target.y = (GetSystemMetrics(SM_CYSCREEN) - target.height) / 2;
  }
  if (options.rectangle || centre || scaleMadeWindow) {
    placingNewWindow_ = true;
    MoveWindow(hwnd_, target.x, target.y, target.width, target.height, FALSE);
    placingNewWindow_ = false;
  }

  refreshWindowRect();
  style(styleFlags);
  titleStyle_ = TextStyle::build(options.titleStyle.value_or(defaultTextStyle(false)));
  if (options.titleText) {
    titleText_ = *options.titleText;
    SetWindowTextW(hwnd_, reinterpret_cast<const WCHAR*>(titleText_.c_str()));
  }

  if (!backgroundBytes.empty()) {
    backgroundImage_ = decodeImage(backgroundBytes);
    backgroundColor_ = representativeColour(backgroundImage_.get());
  } else {
    backgroundColor_ = options.backgroundColor.value_or(kDefaultBackground);
  }
  minTrackWidth_ = kMinTrackWidth;
  minTrackHeight_ = kMinTrackHeight;

  if (options.layeredWithShadow) setLayered(true, true);
  layoutCaption();
  rebuildCanvases();
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd_, 0};
  mouseTracked_ = TrackMouseEvent(&track) ? 1 : 0;
  if (!layered_) redraw(true);
  pacePresentTimer(false);
  return true;
}

void Form::destroy() {
  HWND window = hwnd_;
  canvas_ = MemoryCanvas();
  backgroundCanvas_ = MemoryCanvas();
  frameCache_.forget();
  backgroundImage_.reset();
  iconImage_.reset();
  windowIcon_.reset();
  titleStyle_ = TextStyle();
  if (window) {
    // The canvases are gone: no property may name a freed DC, not even
    // while the controls leave below.
    for (const char* name :
         {kCanvasProperty, kCanvasGraphicsProperty, kBackgroundProperty, kBackgroundGraphicsProperty}) {
      SetPropA(window, name, nullptr);
    }
    // Called directly, no WM_DESTROY reaches the routing: the controls go
    // here, and first. Their tips take their subclasses off the window; the
    // last one to go puts back the procedure it found, which must still be
    // the toolkit's for the old one restored below to stay.
    ToolkitLookup lookup;
    removeWindowControls(controlRegistry(), lookup, window);
    if (oldProc_) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    setWindowObject(window, nullptr);
    for (const char* name : {kOldProcProperty, kFocusProperty, kObjectIdProperty, kDpiProperty}) {
      SetPropA(window, name, nullptr);
    }
    if (windowDC_) ReleaseDC(window, windowDC_);
  }
  const ControlRef id = objectId_;
  const bool destroyingAlready = inDestroyMessage_;
  resetMembers();
  if (id) {
    if (int index = controlRegistry().indexOf(id)) controlRegistry().removeRange(index, index);
    controlReferences().remove(id);
  }
  // Inside WM_DESTROY the window is already on its way out.
  if (window && !destroyingAlready) DestroyWindow(window);
}

void Form::resetMembers() {
  objectId_ = 0;
  hwnd_ = nullptr;
  oldProc_ = nullptr;
  windowRect_ = {};
  scale_ = DisplayScale();
  windowDC_ = nullptr;
  askedWindowIcon_ = false;
  backgroundColor_ = 0;
  titleText_.clear();
  captionButtons_.clear();
  captionRect_ = {};
  hasCaption_ = sizable_ = cornerRadius_ = layered_ = shadow_ = frameInset_ = 0;
  alpha_ = 255;
  shown_.forget();
  shownPlace_ = {};
  shownAlpha_ = -1;
  captionRightMargin_ = minTrackWidth_ = minTrackHeight_ = 0;
  restoreRect_ = {};
  maximised_ = dblClickMaximise_ = dragAnywhere_ = dragLocked_ = 0;
  presentTimerResting_ = false;
  leftDown_ = mouseTracked_ = ncDragging_ = 0;
  colour1_ = colour2_ = 0;
  animation_.reset();
  animating_ = showEffect_ = closeEffect_ = animationInterval_ = 0;
  closing_ = busy_ = false;
  onBusyRefusal_ = nullptr;
  paintPutOff_.clear();
}

void Form::setBusy(bool busy, std::function<void(unsigned message)> onRefused) {
  busy_ = busy;
  onBusyRefusal_ = std::move(onRefused);
}

void Form::close() {
  if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Form::refreshWindowRect() {
  RECT r{};
  if (hwnd_ && GetWindowRect(hwnd_, &r)) windowRect_ = {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Form::takeWindowScale() {
  const DisplayScale scale = windowScale(hwnd_);
  if (scale == scale_) return false;
  scale_ = scale;
  frameCache_.forget();
  // Controls read it from here when they lay themselves out.
  SetPropA(hwnd_, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(scale_.dpi())));
  return true;
}

void Form::layoutCaption() {
  captionButtons_.layout(width(), frameInset_, captionRightMargin_, captionButtonSizes());
  captionRect_.x = 0;
  captionRect_.y = 0;
  captionRect_.width = width() - captionButtons_.totalWidth() - captionRightMargin_ - 2 * frameInset_;
  captionRect_.height = measureText(titleText_, titleStyle_).height;
}

Gdiplus::GpImage* Form::titleIcon() {
  if (iconImage_) return iconImage_.get();
  if (!askedWindowIcon_ && hwnd_) {
    askedWindowIcon_ = true;
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0));
    if (icon) gdip::GdipCreateBitmapFromHICON(icon, windowIcon_.put());
  }
  return windowIcon_.get();
}

void Form::rebuildCanvases(bool resized) {
  // A resize keeps the old picture until the rows it shares with the new
  // one are copied from it.
  MemoryCanvas previous = resized ? std::move(canvas_) : MemoryCanvas();
  canvas_ = MemoryCanvas();
  backgroundCanvas_ = MemoryCanvas();
  canvas_ = MemoryCanvas(windowRect_.width, windowRect_.height);
  backgroundCanvas_ = MemoryCanvas(windowRect_.width, windowRect_.height);
  canvas_.setDrawingSize(width(), height());
  backgroundCanvas_.setDrawingSize(width(), height());
  publishCanvases();
  if (!canvas_ || !backgroundCanvas_) return;

  FrameLook look;
  look.frameInset = frameInset_;
  look.shadow = layered_ && shadow_;
  look.cornerRadius = cornerRadius_;
  look.shadowColour = shadowParameter_;
  look.backgroundImage = backgroundImage_.get();
  look.backgroundColor = backgroundColor_;
  look.icon = titleIcon();
  look.titleStyle = &titleStyle_;
  look.title = titleText_;
  look.captionRect = captionRect_;
  look.colour1 = colour1_;
  look.colour2 = colour2_;
  const bool frameKept = frameCache_.paint(backgroundCanvas_, look);
  int kept = frameKept ? sharedRows(previous) : 0;
  if (kept > 0 && !canvas_.copyRows(previous, 0, 0, kept)) kept = 0;
  previous = MemoryCanvas();

  // Only the rows below the kept ones are composed again.
  BitBlt(canvas_.dc(), 0, kept, canvas_.width(), canvas_.height() - kept, backgroundCanvas_.dc(), 0, kept, SRCCOPY);
  if (kept == 0) {
    for (const CaptionButtonRecord& button : captionButtons_.buttons())
      paintCaptionButton(canvas_, backgroundCanvas_, button);
  }
  gdip::GdipFlush(canvas_.graphics(), Gdiplus::FlushIntentionSync);

  // Controls stay inside the frame: the canvas keeps that clip for their
  // later redrawing.
  const int inset = scale_.toDevice(frameInset_);
  GdiObject body(CreateRectRgn(inset, inset, windowRect_.width - inset, windowRect_.height - inset));
  SelectClipRgn(canvas_.dc(), static_cast<HRGN>(body.get()));
  drawControls(kept);
}

int Form::sharedRows(const MemoryCanvas& previous) const {
  // The same width and the same vertical scale: the rows above the frame's
  // bottom and the caption buttons' bottom are the same at both heights.
  if (!previous || previous.width() != canvas_.width() || previous.drawingWidth() != canvas_.drawingWidth() ||
      static_cast<long long>(previous.height()) * canvas_.drawingHeight() !=
          static_cast<long long>(canvas_.height()) * previous.drawingHeight()) {
    return 0;
  }
  const int rows = std::min(previous.height(), canvas_.height()) - frameCache_.bottomRows();
  for (const CaptionButtonRecord& button : captionButtons_.buttons()) {
    const Rect pixels = canvas_.pixelRect(button.rect);
    if (pixels.y + pixels.height > rows) return 0;
  }
  gdip::GdipFlush(previous.graphics(), Gdiplus::FlushIntentionSync);
  return std::max(rows, 0);
}

void Form::publishCanvases() {
  setHandleProperty(hwnd_, kCanvasProperty, canvas_.dc());
  setHandleProperty(hwnd_, kBackgroundProperty, backgroundCanvas_.dc());
  setHandleProperty(hwnd_, kCanvasGraphicsProperty, canvas_.graphics());
  setHandleProperty(hwnd_, kBackgroundGraphicsProperty, backgroundCanvas_.graphics());
}

std::vector<ControlRef> Form::ownControls() const {
  // From the form's own entry towards the front: parents before children,
  // the painting order. Copied first: a handler may change the registry.
  ToolkitLookup lookup;
  std::vector<ControlRef> refs;
  const ControlRegistry& registry = controlRegistry();
  for (int index = registry.indexOf(objectId_) - 1; index >= 1; --index) {
    const ControlRef ref = registry.at(index);
    if (entryWindow(lookup, ref) != hwnd_) break;
    refs.push_back(ref);
  }
  return refs;
}

void Form::layoutControls() {
  // Controls clip their visible part to the client area when laid out; a
  // form that grew must let its own children (and so theirs) see the room.
  ToolkitLookup lookup;
  for (ControlRef ref : ownControls()) {
    const RoutedControl* control = lookup.control(ref);
    if (control && control->parent == objectId_) sendControlEvent(ref, event::kLayout, 0, 0);
  }
}

void Form::drawControls(int fromRow) {
  for (ControlRef ref : ownControls()) sendControlEvent(ref, control_event::kComposeIntoWindow, fromRow, 0);
  const Rect whole = wholeWindow();
  drawCompositionOverlay(hwnd_, canvas_.dc(), Rect{0, fromRow, whole.width, whole.height - fromRow});
}

Rect Form::wholeWindow() const { return canvas_ ? Rect{0, 0, canvas_.width(), canvas_.height()} : Rect{}; }

bool Form::paintBeforePresent(ControlRef control) {
  if (!hwnd_ || !layered_) return false;
  if (std::find(paintPutOff_.begin(), paintPutOff_.end(), control) == paintPutOff_.end()) {
    paintPutOff_.push_back(control);
  }
  return true;
}

void Form::paintPutOffControls() {
  // Taken first: a control may ask again while it paints.
  std::vector<ControlRef> due;
  due.swap(paintPutOff_);
  for (ControlRef control : due) sendControlEvent(control, control_event::kPaintBeforePresent, 0, 0);
}

void Form::present(const Rect& rect) {
  paintPutOffControls();
  if (animating_ || !hwnd_ || !canvas_) return;
  gdip::GdipFlush(canvas_.graphics(), Gdiplus::FlushIntentionSync);
  if (layered_) {
    presentLayered();
  } else if (rect.width > 0 && rect.height > 0) {
    BitBlt(windowDC_, rect.x, rect.y, rect.width, rect.height, canvas_.dc(), rect.x, rect.y, SRCCOPY);
  }
}

// The window keeps its picture between pushes while it stays where it was,
// as large and as opaque: then only the part that changed is pushed, and
// nothing when no pixel changed.
void Form::presentLayered() {
  GdiFlush();
  const Rect place{windowRect_.x, windowRect_.y, canvas_.width(), canvas_.height()};
  if (place.x != shownPlace_.x || place.y != shownPlace_.y || place.width != shownPlace_.width ||
      place.height != shownPlace_.height || alpha_ != shownAlpha_) {
    shown_.forget();
  }
  const bool partial = shown_.known();
  const Rect changed = shown_.takeChanges(canvas_.pixels());
  if (partial && changed.width == 0) return;

  POINT position{windowRect_.x, windowRect_.y};
  SIZE size{canvas_.width(), canvas_.height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha_), AC_SRC_ALPHA};
  const RECT dirty{changed.x, changed.y, changed.x + changed.width, changed.y + changed.height};
  UPDATELAYEREDWINDOWINFO info{sizeof(info), windowDC_, &position, &size,     canvas_.dc(),
                               &origin,      0,         &blend,    ULW_ALPHA, partial ? &dirty : nullptr};
  // Systems without the partial update (Windows XP), or a part it refuses,
  // get the whole picture.
  const auto updateIndirect = layeredPartUpdate();
  const bool pushed =
      (updateIndirect && updateIndirect(hwnd_, &info)) ||
      UpdateLayeredWindow(hwnd_, windowDC_, &position, &size, canvas_.dc(), &origin, 0, &blend, ULW_ALPHA);
  if (!pushed) {
    shown_.forget();
    return;
  }
  shownPlace_ = place;
  shownAlpha_ = alpha_;
}

void Form::redraw(bool updateNow) {
  if (!hwnd_) return;
  if (layered_) {
    present({});
    return;
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  if (updateNow) UpdateWindow(hwnd_);
}

void Form::repaintAll() {
  rebuildCanvases();
  redraw(true);
}

}  // namespace talvek
