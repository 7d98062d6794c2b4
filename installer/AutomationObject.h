// Late-bound calls on a COM automation object (IDispatch), by member name.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

namespace talvek {

// An owned VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(const std::string& text);  // system code page
  explicit Variant(int number);
  ~Variant() { VariantClear(&value_); }
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&&) = delete;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }

 private:
  VARIANT value_;
};

class AutomationObject {
 public:
  AutomationObject() = default;
  explicit AutomationObject(IDispatch* owned) : dispatch_(owned) {}
  ~AutomationObject();
  AutomationObject(AutomationObject&& other) noexcept;
  AutomationObject& operator=(AutomationObject&& other) noexcept;
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  // The coclass named `className` in the type library `typeLibrary`.
  static AutomationObject fromTypeLibrary(const wchar_t* typeLibrary, const wchar_t* className);
  // Takes the IDispatch out of a VARIANT result (empty when it holds none).
  static AutomationObject fromVariant(const Variant& value);

  explicit operator bool() const { return dispatch_ != nullptr; }

  // Arguments in their natural order. True when the call succeeded.
  bool call(const wchar_t* name, std::vector<Variant> arguments = {}, Variant* result = nullptr);
  bool get(const wchar_t* name, Variant& result);
  bool put(const wchar_t* name, Variant value);

 private:
  HRESULT invoke(const wchar_t* name, WORD flags, std::vector<Variant>& arguments, Variant* result);

  IDispatch* dispatch_ = nullptr;
};

}  // namespace talvek
