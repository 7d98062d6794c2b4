#include "installer/ErrorBalloon.h"

#include <algorithm>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/DisplayDpi.h"

namespace talvek {
namespace {

constexpr wchar_t kClassName[] = L"Talvek.ErrorBalloon";
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT_PTR kClickWatchTimer = 2;
constexpr UINT kClickWatchMs = 40;

// The balloon's stylesheet: "微软雅黑" 15pt for the body, black text.
constexpr wchar_t kFontName[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
constexpr float kFontPoints = 15.0f;
constexpr float kMaxTextWidth = 440.0f;
constexpr float kPadding = 12.0f;
constexpr float kRuleHeight = 9.0f;
constexpr float kCornerRadius = 7.0f;
constexpr float kTailHeight = 12.0f;
constexpr float kTailWidth = 14.0f;
constexpr float kTailInset = 18.0f;
constexpr Gdiplus::ARGB kBackground = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kBorder = 0xFF8A8A8A;


Gdiplus::ARGB opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

struct TextKit {
  GdiplusFontFamily family;
  GdiplusFont font;
  GdiplusStringFormat format;
  float lineHeight = 0;
};

TextKit makeTextKit(Gdiplus::GpGraphics* graphics) {
  TextKit kit;
  Gdiplus::GpFontFamily* named = nullptr;
  if (gdip::GdipCreateFontFamilyFromName(kFontName, nullptr, &named) == Gdiplus::Ok) kit.family.reset(named);
  Gdiplus::GpFontFamily* family = kit.family.get();
  // Without the font, any sans-serif face still shows the message.
  if (!family) gdip::GdipGetGenericFontFamilySansSerif(&family);
  gdip::GdipCreateFont(family, kFontPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint, kit.font.put());
  gdip::GdipStringFormatGetGenericTypographic(kit.format.put());
  // Typographic format without trailing-space trimming, so runs line up.
  gdip::GdipSetStringFormatFlags(kit.format.get(), Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  gdip::GdipGetFontHeight(kit.font.get(), graphics, &kit.lineHeight);
  return kit;
}

Gdiplus::RectF measure(Gdiplus::GpGraphics* graphics, const TextKit& kit, const std::wstring& text, float width) {
  Gdiplus::RectF layout(0, 0, width, 10000), bounds;
  gdip::GdipMeasureString(graphics, text.c_str(), static_cast<INT>(text.size()), kit.font.get(), &layout,
                          kit.format.get(), &bounds, nullptr, nullptr);
  return bounds;
}

// Where each line goes, and how large the text block is.
struct Layout {
  std::vector<float> lineTops;
  float width = 0, height = 0;
};

Layout layOut(Gdiplus::GpGraphics* graphics, const TextKit& kit, const std::vector<BalloonLine>& lines) {
  Layout layout;
  for (const auto& line : lines) {
    layout.lineTops.push_back(layout.height);
    if (line.isRule) {
      layout.height += kRuleHeight;
      continue;
    }
    float lineWidth = 0, lineHeight = kit.lineHeight;
    for (const auto& run : line.runs) {
      // A single run wraps at the width limit; runs side by side do not.
      Gdiplus::RectF bounds = measure(graphics, kit, toWide(run.text), line.runs.size() == 1 ? kMaxTextWidth : 10000);
      lineWidth += bounds.Width;
      lineHeight = std::max(lineHeight, bounds.Height);
    }
    layout.width = std::max(layout.width, std::min(lineWidth, kMaxTextWidth));
    layout.height += lineHeight;
  }
  layout.width = std::max(layout.width, 120.0f);
  return layout;
}

void drawBody(Gdiplus::GpGraphics* graphics, float width, float height, bool tailBelow, float tailX) {
  GdiplusPath path;
  gdip::GdipCreatePath(Gdiplus::FillModeWinding, path.put());
  const float top = tailBelow ? 0 : kTailHeight;
  const float bottom = top + height;
  const float d = 2 * kCornerRadius;
  gdip::GdipAddPathArc(path.get(), 0.5f, top + 0.5f, d, d, 180, 90);
  if (!tailBelow) {
    gdip::GdipAddPathLine(path.get(), tailX - kTailWidth / 2, top + 0.5f, tailX, 0.5f);
    gdip::GdipAddPathLine(path.get(), tailX, 0.5f, tailX + kTailWidth / 2, top + 0.5f);
  }
  gdip::GdipAddPathArc(path.get(), width - d - 0.5f, top + 0.5f, d, d, 270, 90);
  gdip::GdipAddPathArc(path.get(), width - d - 0.5f, bottom - d - 0.5f, d, d, 0, 90);
  if (tailBelow) {
    gdip::GdipAddPathLine(path.get(), tailX + kTailWidth / 2, bottom - 0.5f, tailX, bottom + kTailHeight - 0.5f);
    gdip::GdipAddPathLine(path.get(), tailX, bottom + kTailHeight - 0.5f, tailX - kTailWidth / 2, bottom - 0.5f);
  }
  gdip::GdipAddPathArc(path.get(), 0.5f, bottom - d - 0.5f, d, d, 90, 90);
  gdip::GdipClosePathFigure(path.get());

  GdiplusBrush fill;
  gdip::GdipCreateSolidFill(kBackground, reinterpret_cast<Gdiplus::GpSolidFill**>(fill.put()));
  gdip::GdipFillPath(graphics, fill.get(), path.get());
  GdiplusPen border;
  gdip::GdipCreatePen1(kBorder, 1.0f, Gdiplus::UnitPixel, border.put());
  gdip::GdipDrawPath(graphics, border.get(), path.get());
}

void drawLines(Gdiplus::GpGraphics* graphics, const TextKit& kit, const std::vector<BalloonLine>& lines,
               const Layout& layout, float left, float top) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const float y = top + layout.lineTops[i];
    if (lines[i].isRule) {
      GdiplusPen pen;
      gdip::GdipCreatePen1(opaque(lines[i].ruleColor), 1.0f, Gdiplus::UnitPixel, pen.put());
      gdip::GdipDrawLine(graphics, pen.get(), left, y + kRuleHeight / 2, left + layout.width, y + kRuleHeight / 2);
      continue;
    }
    float x = left;
    for (const auto& run : lines[i].runs) {
      std::wstring text = toWide(run.text);
      const bool wraps = lines[i].runs.size() == 1;
      Gdiplus::RectF box(x, y, wraps ? kMaxTextWidth : 10000, 10000);
      GdiplusBrush brush;
      gdip::GdipCreateSolidFill(opaque(run.color), reinterpret_cast<Gdiplus::GpSolidFill**>(brush.put()));
      gdip::GdipDrawString(graphics, text.c_str(), static_cast<INT>(text.size()), kit.font.get(), &box,
                           kit.format.get(), brush.get());
      x += measure(graphics, kit, text, wraps ? kMaxTextWidth : 10000).Width;
    }
  }
}

}  // namespace

bool ErrorBalloon::create(HWND owner) {
  if (window_) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &ErrorBalloon::windowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  window_.reset(CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                                WS_POPUP, 0, 0, 1, 1, owner, nullptr, GetModuleHandleW(nullptr), this));
  return static_cast<bool>(window_);
}

void ErrorBalloon::show(const std::string& markup, POINT tip) {
  if (!window_ || !render(parseBalloonMarkup(markup), tip)) return;
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  clickArmed_ = false;
  SetTimer(window_.get(), kHideTimer, kDisplayMs, nullptr);
  SetTimer(window_.get(), kClickWatchTimer, kClickWatchMs, nullptr);
}

void ErrorBalloon::hide() {
  if (!window_) return;
  KillTimer(window_.get(), kHideTimer);
  KillTimer(window_.get(), kClickWatchTimer);
  ShowWindow(window_.get(), SW_HIDE);
}

// The next click anywhere hides the balloon: once the button has been seen
// up after showing, seeing it down again is that click.
void ErrorBalloon::onClickWatch() {
  const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (GetAsyncKeyState(VK_RBUTTON) & 0x8000);
  if (!down) {
    clickArmed_ = true;
  } else if (clickArmed_) {
    hide();
  }
}

bool ErrorBalloon::render(const std::vector<BalloonLine>& lines, POINT tip) {
  // Measure on a scratch surface, then draw on one of the final size.
  GdiplusBitmap scratch;
  gdip::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppPARGB, nullptr, scratch.put());
  // A new bitmap takes the screen's resolution, which would size the
  // points a second time: they are measured at 96 dpi and scaled once.
  gdip::GdipBitmapSetResolution(scratch.get(), 96.0f, 96.0f);
  GdiplusGraphics measuring;
  gdip::GdipGetImageGraphicsContext(scratch.get(), measuring.put());
  if (!measuring) return false;
  TextKit kit = makeTextKit(measuring.get());
  const Layout layout = layOut(measuring.get(), kit, lines);

  // Laid out in 96-dpi units, shown in the pixels of the balloon's screen.
  const DisplayScale scale = windowScale(window_.get());
  const int unitsWide = static_cast<int>(layout.width + 2 * kPadding + 1);
  const int bodyHeight = static_cast<int>(layout.height + 2 * kPadding + 1);
  const int unitsHigh = bodyHeight + static_cast<int>(kTailHeight);
  const int width = scale.toDevice(unitsWide);
  const int height = scale.toDevice(unitsHigh);

  // Above the point with the tail down, unless that leaves the screen.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(tip, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT area = monitor.rcWork;
  const bool tailBelow = tip.y - height >= area.top;
  const int inset = scale.toDevice(static_cast<int>(kTailInset));
  int left = std::clamp(static_cast<int>(tip.x) - inset, static_cast<int>(area.left),
                        std::max(static_cast<int>(area.left), static_cast<int>(area.right) - width));
  int top = tailBelow ? tip.y - height : tip.y;
  const float tailX = std::clamp(static_cast<float>(scale.toLogical(tip.x - left)), kCornerRadius + kTailWidth,
                                 unitsWide - kCornerRadius - kTailWidth);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  MemoryDc dc(CreateCompatibleDC(nullptr));
  Bitmap surface(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !surface) return false;
  {
    GdiplusBitmap canvas;
    gdip::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits),
                                    canvas.put());
    gdip::GdipBitmapSetResolution(canvas.get(), 96.0f, 96.0f);
    GdiplusGraphics graphics;
    gdip::GdipGetImageGraphicsContext(canvas.get(), graphics.put());
    if (!graphics) return false;
    if (!scale.identity()) {
      gdip::GdipScaleWorldTransform(graphics.get(), static_cast<float>(width) / unitsWide,
                                    static_cast<float>(height) / unitsHigh, Gdiplus::MatrixOrderPrepend);
    }
    gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeAntiAlias);
    gdip::GdipSetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
    drawBody(graphics.get(), static_cast<float>(unitsWide - 1), static_cast<float>(bodyHeight - 1), tailBelow, tailX);
    drawLines(graphics.get(), kit, lines, layout, kPadding, kPadding + (tailBelow ? 0 : kTailHeight));
  }
  SelectedObject selected(dc.get(), surface.get());
  POINT position{left, top}, origin{0, 0};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return UpdateLayeredWindow(window_.get(), nullptr, &position, &size, dc.get(), &origin, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK ErrorBalloon::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ErrorBalloon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (!self) break;
      if (wParam == kHideTimer) self->hide();
      if (wParam == kClickWatchTimer) self->onClickWatch();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (self) self->hide();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace talvek
