// Move-only owners for every kind of Windows handle the program holds, so no
// handle is closed twice or leaked on an early return.
#pragma once

#include "toolkit/core/LateLoadedApis.h"
#include <objbase.h>

#include <utility>

namespace talvek {

template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  T get() const { return value_; }
  explicit operator bool() const { return Traits::isValid(value_); }

  T release() { return std::exchange(value_, Traits::invalid()); }
  void reset(T value = Traits::invalid()) {
    T old = std::exchange(value_, value);
    if (Traits::isValid(old)) Traits::close(old);
  }
  // For APIs that return the handle through an out parameter.
  T* put() {
    reset();
    return &value_;
  }

 private:
  T value_ = Traits::invalid();
};

struct KernelHandleTraits {
  static HANDLE invalid() { return nullptr; }
  // CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null.
  static bool isValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
using Handle = UniqueResource<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static bool isValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueResource<HANDLE, FindHandleTraits>;

// Memory the system allocated for the caller with LocalAlloc: converted
// security descriptors and SIDs, split command lines.
struct LocalMemoryTraits {
  static HLOCAL invalid() { return nullptr; }
  static bool isValid(HLOCAL m) { return m != nullptr; }
  static void close(HLOCAL m) { LocalFree(m); }
};
using LocalMemory = UniqueResource<HLOCAL, LocalMemoryTraits>;

struct RegKeyTraits {
  static HKEY invalid() { return nullptr; }
  static bool isValid(HKEY k) { return k != nullptr; }
  static void close(HKEY k) { RegCloseKey(k); }
};
using RegKey = UniqueResource<HKEY, RegKeyTraits>;

struct InternetHandleTraits {
  static HINTERNET invalid() { return nullptr; }
  static bool isValid(HINTERNET h) { return h != nullptr; }
  static void close(HINTERNET h) { InternetCloseHandle(h); }
};
using InternetHandle = UniqueResource<HINTERNET, InternetHandleTraits>;

struct SocketTraits {
  static SOCKET invalid() { return INVALID_SOCKET; }
  static bool isValid(SOCKET s) { return s != INVALID_SOCKET; }
  static void close(SOCKET s) { closesocket(s); }
};
using Socket = UniqueResource<SOCKET, SocketTraits>;

struct WindowTraits {
  static HWND invalid() { return nullptr; }
  static bool isValid(HWND w) { return w != nullptr; }
  static void close(HWND w) { DestroyWindow(w); }
};
using Window = UniqueResource<HWND, WindowTraits>;

struct GdiObjectTraits {
  static HGDIOBJ invalid() { return nullptr; }
  static bool isValid(HGDIOBJ o) { return o != nullptr; }
  static void close(HGDIOBJ o) { DeleteObject(o); }
};
using GdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;

struct BitmapTraits {
  static HBITMAP invalid() { return nullptr; }
  static bool isValid(HBITMAP b) { return b != nullptr; }
  static void close(HBITMAP b) { DeleteObject(b); }
};
using Bitmap = UniqueResource<HBITMAP, BitmapTraits>;

struct MemoryDcTraits {
  static HDC invalid() { return nullptr; }
  static bool isValid(HDC dc) { return dc != nullptr; }
  static void close(HDC dc) { DeleteDC(dc); }
};
using MemoryDc = UniqueResource<HDC, MemoryDcTraits>;

// A DC obtained with GetDC must be given back with the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  HWND window() const { return window_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Puts the previously selected object back into the DC on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// One reference to a COM interface, released at the end of its scope.
template <typename T>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() { reset(); }
  ComPointer(ComPointer&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  ComPointer& operator=(ComPointer&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For an out-parameter: releases what is held first.
  T** put() {
    reset();
    return &object_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (object_) object_->Release();
    object_ = nullptr;
  }

 private:
  T* object_ = nullptr;
};

// A single-threaded COM apartment on the calling thread for a scope; a
// thread already in the other kind keeps it, and nothing is undone then.
// S_FALSE (already entered) counts as entered: it is balanced all the same.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool entered() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace talvek
