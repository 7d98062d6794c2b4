#include "installer/AutomationObject.h"
#include "toolkit/core/CodePage.h"

#include <oleauto.h>

#include <algorithm>
#include <utility>

namespace talvek {

Variant::Variant(const std::string& text) : Variant() {
  std::wstring wide = toWide(text);
  value_.vt = VT_BSTR;
  value_.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

Variant::Variant(int number) : Variant() {
  value_.vt = VT_I4;
  value_.lVal = number;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

AutomationObject::~AutomationObject() {
  if (dispatch_) dispatch_->Release();
}

AutomationObject::AutomationObject(AutomationObject&& other) noexcept
    : dispatch_(std::exchange(other.dispatch_, nullptr)) {}

AutomationObject& AutomationObject::operator=(AutomationObject&& other) noexcept {
  if (this != &other) {
    if (dispatch_) dispatch_->Release();
    dispatch_ = std::exchange(other.dispatch_, nullptr);
  }
  return *this;
}

AutomationObject AutomationObject::fromTypeLibrary(const wchar_t* typeLibrary, const wchar_t* className) {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLib(typeLibrary, &library))) return {};
  ITypeInfo* info = nullptr;
  MEMBERID member = 0;
  USHORT found = 1;
  std::wstring name = className;
  CLSID clsid{};
  bool haveClass = false;
  if (SUCCEEDED(library->FindName(name.data(), 0, &info, &member, &found)) && found == 1 && info) {
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
      haveClass = attributes->typekind == TKIND_COCLASS;
      clsid = attributes->guid;
      info->ReleaseTypeAttr(attributes);
    }
    info->Release();
  }
  library->Release();
  IDispatch* dispatch = nullptr;
  if (!haveClass || FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                            reinterpret_cast<void**>(&dispatch)))) {
    return {};
  }
  return AutomationObject(dispatch);
}

AutomationObject AutomationObject::fromVariant(const Variant& value) {
  const VARIANT& v = value.value();
  if (v.vt != VT_DISPATCH || !v.pdispVal) return {};
  v.pdispVal->AddRef();
  return AutomationObject(v.pdispVal);
}

HRESULT AutomationObject::invoke(const wchar_t* name, WORD flags, std::vector<Variant>& arguments, Variant* result) {
  if (!dispatch_) return E_POINTER;
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // IDispatch takes its arguments last first.
  std::vector<VARIANT> reversed;
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(*it->get());
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID named = DISPID_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &named;
    parameters.cNamedArgs = 1;
  }
  return dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result ? result->get() : nullptr,
                           nullptr, nullptr);
}

bool AutomationObject::call(const wchar_t* name, std::vector<Variant> arguments, Variant* result) {
  return SUCCEEDED(invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments, result));
}

bool AutomationObject::get(const wchar_t* name, Variant& result) {
  std::vector<Variant> none;
  return SUCCEEDED(invoke(name, DISPATCH_PROPERTYGET, none, &result));
}

bool AutomationObject::put(const wchar_t* name, Variant value) {
  std::vector<Variant> arguments;
  arguments.push_back(std::move(value));
  return SUCCEEDED(invoke(name, DISPATCH_PROPERTYPUT, arguments, nullptr));
}

}  // namespace talvek
