// Move-only owners for GDI+ flat-API objects and the GDI+ session, in the
// style of WinHandles.h: each object is freed exactly once, also on early
// returns. GDI+ must still be running when an owner lets go of its object.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "toolkit/core/WinHandles.h"

namespace talvek {

namespace gdip = Gdiplus::DllExports;

// Traits for a GDI+ object freed by one flat-API call.
template <typename T, Gdiplus::GpStatus(WINGDIPAPI* Free)(T*)>
struct GdiplusTraits {
  static T* invalid() { return nullptr; }
  static bool isValid(T* object) { return object != nullptr; }
  static void close(T* object) { Free(object); }
};

template <typename T, Gdiplus::GpStatus(WINGDIPAPI* Free)(T*)>
using GdiplusObject = UniqueResource<T*, GdiplusTraits<T, Free>>;

// Every image the program owns is let go through here. Tests watch it to
// see that each image is disposed exactly once; nothing else does.
using ImageDisposalObserver = void (*)(Gdiplus::GpImage*);
inline ImageDisposalObserver& imageDisposalObserver() {
  static ImageDisposalObserver observer = nullptr;
  return observer;
}
// Lets the larger drawings attached to an image go with it, so a new image
// that GDI+ places at the same address never inherits them.
inline ImageDisposalObserver& imageDisposalFollower() {
  static ImageDisposalObserver follower = nullptr;
  return follower;
}
inline Gdiplus::GpStatus disposeImage(Gdiplus::GpImage* image) {
  if (image && imageDisposalObserver()) imageDisposalObserver()(image);
  if (image && imageDisposalFollower()) imageDisposalFollower()(image);
  return gdip::GdipDisposeImage(image);
}

struct GdiplusImageTraits {
  static Gdiplus::GpImage* invalid() { return nullptr; }
  static bool isValid(Gdiplus::GpImage* image) { return image != nullptr; }
  static void close(Gdiplus::GpImage* image) { disposeImage(image); }
};
using GdiplusImage = UniqueResource<Gdiplus::GpImage*, GdiplusImageTraits>;
using GdiplusGraphics = GdiplusObject<Gdiplus::GpGraphics, gdip::GdipDeleteGraphics>;
using GdiplusFontFamily = GdiplusObject<Gdiplus::GpFontFamily, gdip::GdipDeleteFontFamily>;
using GdiplusFont = GdiplusObject<Gdiplus::GpFont, gdip::GdipDeleteFont>;
using GdiplusBrush = GdiplusObject<Gdiplus::GpBrush, gdip::GdipDeleteBrush>;
using GdiplusPen = GdiplusObject<Gdiplus::GpPen, gdip::GdipDeletePen>;
using GdiplusStringFormat = GdiplusObject<Gdiplus::GpStringFormat, gdip::GdipDeleteStringFormat>;
using GdiplusPath = GdiplusObject<Gdiplus::GpPath, gdip::GdipDeletePath>;
using GdiplusImageAttributes = GdiplusObject<Gdiplus::GpImageAttributes, gdip::GdipDisposeImageAttributes>;

// Bitmaps are images; GDI+ disposes both with the same call.
struct GdiplusBitmapTraits {
  static Gdiplus::GpBitmap* invalid() { return nullptr; }
  static bool isValid(Gdiplus::GpBitmap* b) { return b != nullptr; }
  static void close(Gdiplus::GpBitmap* b) { disposeImage(b); }
};
using GdiplusBitmap = UniqueResource<Gdiplus::GpBitmap*, GdiplusBitmapTraits>;

// The same object, owned as an image.
inline GdiplusImage toImage(GdiplusBitmap bitmap) { return GdiplusImage(bitmap.release()); }

struct ComStreamTraits {
  static IStream* invalid() { return nullptr; }
  static bool isValid(IStream* s) { return s != nullptr; }
  static void close(IStream* s) { s->Release(); }
};
using ComStream = UniqueResource<IStream*, ComStreamTraits>;

// A GDI+ session: started on construction, shut down on destruction unless
// released. The toolkit itself keeps GDI+ running for the whole process.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(GdiplusSession&& other) noexcept : token_(std::exchange(other.token_, 0)) {}
  GdiplusSession& operator=(GdiplusSession&&) = delete;
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  explicit operator bool() const { return token_ != 0; }
  // Keeps GDI+ running past this owner's life.
  ULONG_PTR release() { return std::exchange(token_, 0); }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace talvek
