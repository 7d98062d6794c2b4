// The floor for the installer's first frame: the least a program must do
// to show what the installer first shows. GDI+ starts, one 700 x 350
// layered window gets one line of text in "微软雅黑" and is presented.
// installer_timing.py times it against the installer, process start to
// the first visible frame. It stays up for a few seconds, then ends.
// At another display scale it draws everything at that scale, as the
// installer does.
#include <windows.h>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/WinHandles.h"

namespace {

using namespace talvek;

constexpr int kWidth = 700;
constexpr int kHeight = 350;
constexpr UINT kShownForMs = 5000;

int scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI); }

int displayDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

bool present(HWND window, int dpi) {
  const int width = scaled(kWidth, dpi);
  const int height = scaled(kHeight, dpi);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  WindowDc screen(nullptr);
  MemoryDc dc(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  Bitmap canvas(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !canvas) return false;
  HGDIOBJ old = SelectObject(dc.get(), canvas.get());
  {
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    gdip::GdipCreateFromHDC(dc.get(), &rawGraphics);
    GdiplusGraphics graphics(rawGraphics);
    Gdiplus::GpFontFamily* rawFamily = nullptr;
    gdip::GdipCreateFontFamilyFromName(L"微软雅黑", nullptr, &rawFamily);
    GdiplusFontFamily family(rawFamily);
    Gdiplus::GpFont* rawFont = nullptr;
    gdip::GdipCreateFont(family.get(), static_cast<float>(scaled(20, dpi)), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, &rawFont);
    GdiplusFont font(rawFont);
    Gdiplus::GpSolidFill* rawBrush = nullptr;
    gdip::GdipCreateSolidFill(0xFFFFFFFF, &rawBrush);
    GdiplusBrush brush(rawBrush);
    gdip::GdipGraphicsClear(graphics.get(), 0xFF1C1C1C);
    const auto margin = static_cast<float>(scaled(20, dpi));
    Gdiplus::RectF line(margin, margin, static_cast<float>(width) - 2 * margin, static_cast<float>(scaled(40, dpi)));
    gdip::GdipDrawString(graphics.get(), L"Talvek - 在线安装", -1, font.get(), &line, nullptr, brush.get());
  }
  POINT origin{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const bool ok = UpdateLayeredWindow(window, screen.get(), &origin, &size, dc.get(), &source, 0, &blend, ULW_ALPHA);
  SelectObject(dc.get(), old);
  return ok;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  GdiplusSession gdiplus;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TalvekFirstFrameFloor";
  if (!RegisterClassW(&windowClass)) return 1;
  const int dpi = displayDpi();
  Window window(CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Talvek floor", WS_POPUP,
                                0, 0, scaled(kWidth, dpi), scaled(kHeight, dpi), nullptr, nullptr, instance, nullptr));
  if (!window || !present(window.get(), dpi)) return 1;
  ShowWindow(window.get(), SW_SHOW);
  SetTimer(window.get(), 1, kShownForMs, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  return 0;
}
