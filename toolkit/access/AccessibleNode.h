// The accessible object of a form's client area (reference 0) or of one of
// its controls. It holds the window and the control's reference, never the
// control: once the control is gone every call answers
// CO_E_OBJNOTCONNECTED. Calls arrive on the UI thread (its apartment is
// single-threaded); on any other thread nothing is found.
#pragma once

#include <string>

#include "toolkit/core/LateLoadedApis.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek {

class AccessibleNode final : public IAccessible {
 public:
  // A new object with one reference held by the caller.
  static IAccessible* create(HWND window, ControlRef ref);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: not offered; clients use the accessible calls directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  AccessibleNode(HWND window, ControlRef ref) : window_(window), ref_(ref) {}
  ~AccessibleNode() = default;

  // The reference a child argument names: this object (CHILDID_SELF) or
  // its 1-based child. False when this object is gone or the id is not a
  // child; result then says why.
  bool resolve(const VARIANT& child, ControlRef& target, HRESULT& result) const;
  bool alive() const;
  // The role (or else the states) of a child as a VT_I4.
  HRESULT describedNumber(const VARIANT& child, VARIANT* out, bool role) const;
  // This object for target == ref_, else a new object for target.
  void answer(ControlRef target, VARIANT* out) const;

  LONG references_ = 1;
  HWND window_;
  ControlRef ref_;
};

}  // namespace talvek
