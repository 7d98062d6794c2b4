// The floor for the installer's first frame: the least a program must do
// to show what the installer first shows. GDI+ starts, one 700 x 350
// layered window gets one line of text in "微软雅黑" and is presented.
// installer_timing.py times it against the installer, process start to
// the first visible frame. It stays up for a few seconds, then ends.
#include <windows.h>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/WinHandles.h"

namespace {

using namespace talvek;

constexpr int kWidth = 700;
constexpr int kHeight = 350;
constexpr UINT kShownForMs = 5000;

bool present(HWND window) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
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
    gdip::GdipCreateFont(family.get(), 20, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, &rawFont);
    GdiplusFont font(rawFont);
    Gdiplus::GpSolidFill* rawBrush = nullptr;
    gdip::GdipCreateSolidFill(0xFFFFFFFF, &rawBrush);
    GdiplusBrush brush(rawBrush);
    gdip::GdipGraphicsClear(graphics.get(), 0xFF1C1C1C);
    Gdiplus::RectF line(20, 20, kWidth - 40, 40);
    gdip::GdipDrawString(graphics.get(), L"Talvek - 在线安装", -1, font.get(), &line, nullptr, brush.get());
  }
  POINT origin{(GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2};
  SIZE size{kWidth, kHeight};
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
  Window window(CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Talvek floor", WS_POPUP,
                                0, 0, kWidth, kHeight, nullptr, nullptr, instance, nullptr));
  if (!window || !present(window.get())) return 1;
  ShowWindow(window.get(), SW_SHOW);
  SetTimer(window.get(), 1, kShownForMs, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  return 0;
}
