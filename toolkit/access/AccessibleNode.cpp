#include "toolkit/access/AccessibleNode.h"

#include <optional>
#include <vector>

#include "toolkit/access/AccessibleDescription.h"
#include "toolkit/access/AccessibleTree.h"
#include "toolkit/access/ControlFactsReader.h"
#include "toolkit/access/DefaultAction.h"
#include "toolkit/access/KeyboardNavigator.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {
namespace {

static_assert(accessible::kRoleClient == ROLE_SYSTEM_CLIENT && accessible::kRoleGrouping == ROLE_SYSTEM_GROUPING &&
              accessible::kRoleGraphic == ROLE_SYSTEM_GRAPHIC && accessible::kRoleStaticText == ROLE_SYSTEM_STATICTEXT &&
              accessible::kRoleText == ROLE_SYSTEM_TEXT && accessible::kRolePushButton == ROLE_SYSTEM_PUSHBUTTON &&
              accessible::kRoleCheckButton == ROLE_SYSTEM_CHECKBUTTON &&
              accessible::kRoleProgressBar == ROLE_SYSTEM_PROGRESSBAR);
static_assert(accessible::kStateUnavailable == STATE_SYSTEM_UNAVAILABLE &&
              accessible::kStateFocused == STATE_SYSTEM_FOCUSED && accessible::kStateChecked == STATE_SYSTEM_CHECKED &&
              accessible::kStateReadOnly == STATE_SYSTEM_READONLY &&
              accessible::kStateHotTracked == STATE_SYSTEM_HOTTRACKED &&
              accessible::kStateInvisible == STATE_SYSTEM_INVISIBLE &&
              accessible::kStateOffscreen == STATE_SYSTEM_OFFSCREEN &&
              accessible::kStateFocusable == STATE_SYSTEM_FOCUSABLE &&
              accessible::kStateProtected == STATE_SYSTEM_PROTECTED);

// What a client is told about the client area or a control.
struct Description {
  long role = ROLE_SYSTEM_CLIENT;
  long states = 0;
  std::u16string name;
  std::optional<std::u16string> value;
  std::u16string action;
};

Description describe(HWND window, ControlRef ref) {
  Description description;
  if (Control* control = accessible_tree::find(window, ref)) {
    const ControlFacts facts = readControlFacts(*control);
    description.role = accessible::roleOf(facts.kind);
    description.states = accessible::statesOf(facts);
    description.name = accessible::nameOf(facts);
    description.value = accessible::valueOf(facts);
    description.action = accessible::defaultActionOf(facts.kind);
    return description;
  }
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  description.name = reinterpret_cast<const char16_t*>(title);
  description.states = STATE_SYSTEM_FOCUSABLE;
  if (!IsWindowVisible(window)) description.states |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window)) description.states |= STATE_SYSTEM_UNAVAILABLE;
  if (GetFocus() == window && !accessible_tree::find(window, readRefProperty(window, kFocusProperty))) {
    description.states |= STATE_SYSTEM_FOCUSED;
  }
  return description;
}

HRESULT textResult(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void integerResult(long value, VARIANT* out) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
}

}  // namespace

IAccessible* AccessibleNode::create(HWND window, ControlRef ref) { return new AccessibleNode(window, ref); }

HRESULT AccessibleNode::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AccessibleNode::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AccessibleNode::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT AccessibleNode::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT AccessibleNode::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT AccessibleNode::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleNode::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

bool AccessibleNode::alive() const {
  if (ref_ != 0) return accessible_tree::find(window_, ref_) != nullptr;
  return IsWindow(window_) && windowObject(window_) != nullptr;
}

bool AccessibleNode::resolve(const VARIANT& child, ControlRef& target, HRESULT& result) const {
  if (!alive()) {
    result = CO_E_OBJNOTCONNECTED;
    return false;
  }
  if (child.vt != VT_I4) {
    result = E_INVALIDARG;
    return false;
  }
  if (child.lVal == CHILDID_SELF) {
    target = ref_;
    return true;
  }
  const std::vector<ControlRef> children = accessible_tree::children(window_, ref_);
  if (child.lVal < 1 || child.lVal > static_cast<LONG>(children.size())) {
    result = E_INVALIDARG;
    return false;
  }
  target = children[static_cast<std::size_t>(child.lVal - 1)];
  return true;
}

void AccessibleNode::answer(ControlRef target, VARIANT* out) const {
  VariantInit(out);
  if (target == ref_) {
    integerResult(CHILDID_SELF, out);
    return;
  }
  out->vt = VT_DISPATCH;
  out->pdispVal = create(window_, target);
}

HRESULT AccessibleNode::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!alive()) return CO_E_OBJNOTCONNECTED;
  if (ref_ == 0) {
    return CreateStdAccessibleObject(window_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  *parent = create(window_, accessible_tree::parentOf(window_, ref_));
  return S_OK;
}

HRESULT AccessibleNode::get_accChildCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (!alive()) return CO_E_OBJNOTCONNECTED;
  *count = static_cast<LONG>(accessible_tree::children(window_, ref_).size());
  return S_OK;
}

HRESULT AccessibleNode::get_accChild(VARIANT child, IDispatch** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  *object = create(window_, target);
  return S_OK;
}

HRESULT AccessibleNode::get_accName(VARIANT child, BSTR* name) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  return textResult(describe(window_, target).name, name);
}

HRESULT AccessibleNode::get_accValue(VARIANT child, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  const Description description = describe(window_, target);
  if (!description.value) return DISP_E_MEMBERNOTFOUND;
  *value = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(description.value->data()),
                             static_cast<UINT>(description.value->size()));
  return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleNode::get_accDescription(VARIANT child, BSTR* description) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  return textResult({}, description);
}

HRESULT AccessibleNode::describedNumber(const VARIANT& child, VARIANT* out, bool role) const {
  if (!out) return E_POINTER;
  VariantInit(out);
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  const Description description = describe(window_, target);
  integerResult(role ? description.role : description.states, out);
  return S_OK;
}

HRESULT AccessibleNode::get_accRole(VARIANT child, VARIANT* role) { return describedNumber(child, role, true); }

HRESULT AccessibleNode::get_accState(VARIANT child, VARIANT* state) { return describedNumber(child, state, false); }

HRESULT AccessibleNode::get_accHelp(VARIANT child, BSTR* help) { return get_accDescription(child, help); }

HRESULT AccessibleNode::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = -1;
  return alive() ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleNode::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  const bool cancels = target != 0 && keyboard::cancelControl(window_) == target;
  return textResult(cancels ? u"Esc" : u"", shortcut);
}

HRESULT AccessibleNode::get_accFocus(VARIANT* focus) {
  if (!focus) return E_POINTER;
  VariantInit(focus);
  if (!alive()) return CO_E_OBJNOTCONNECTED;
  if (GetFocus() != window_) return S_FALSE;
  const ControlRef focused = readRefProperty(window_, kFocusProperty);
  if (!accessible_tree::find(window_, focused)) {
    if (ref_ == 0) integerResult(CHILDID_SELF, focus);
    return ref_ == 0 ? S_OK : S_FALSE;
  }
  // The focus inside this object's subtree, or nothing.
  bool inside = ref_ == 0;
  for (ControlRef up = focused; up != 0 && !inside; up = accessible_tree::parentOf(window_, up)) inside = up == ref_;
  if (!inside) return S_FALSE;
  answer(focused, focus);
  return S_OK;
}

HRESULT AccessibleNode::get_accSelection(VARIANT* selection) {
  if (selection) VariantInit(selection);
  return alive() ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleNode::get_accDefaultAction(VARIANT child, BSTR* action) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  return textResult(describe(window_, target).action, action);
}

HRESULT AccessibleNode::accSelect(LONG flags, VARIANT child) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
  return keyboard::focusControl(window_, target) ? S_OK : S_FALSE;
}

HRESULT AccessibleNode::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  const Rect area = accessible_tree::screenRect(window_, target);
  *left = area.x;
  *top = area.y;
  *width = area.width;
  *height = area.height;
  return S_OK;
}

HRESULT AccessibleNode::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  ControlRef from = 0;
  HRESULT result = S_OK;
  if (!resolve(start, from, result)) return result;
  ControlRef found = 0;
  if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
    const std::vector<ControlRef> children = accessible_tree::children(window_, from);
    if (!children.empty()) found = direction == NAVDIR_FIRSTCHILD ? children.front() : children.back();
  } else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) {
    if (from == 0) return S_FALSE;  // the client area's siblings are the system's
    const std::vector<ControlRef> siblings =
        accessible_tree::children(window_, accessible_tree::parentOf(window_, from));
    for (std::size_t i = 0; i < siblings.size(); ++i) {
      if (siblings[i] != from) continue;
      if (direction == NAVDIR_NEXT && i + 1 < siblings.size()) found = siblings[i + 1];
      if (direction == NAVDIR_PREVIOUS && i > 0) found = siblings[i - 1];
    }
  } else {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (found == 0) return S_FALSE;
  end->vt = VT_DISPATCH;
  end->pdispVal = create(window_, found);
  return S_OK;
}

HRESULT AccessibleNode::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!alive()) return CO_E_OBJNOTCONNECTED;
  POINT point{x, y};
  ScreenToClient(window_, &point);
  const ControlRef hit = accessible_tree::deepestAt(window_, ref_, point);
  if (hit < 0) return S_FALSE;
  answer(hit, child);
  return S_OK;
}

HRESULT AccessibleNode::accDoDefaultAction(VARIANT child) {
  ControlRef target = 0;
  HRESULT result = S_OK;
  if (!resolve(child, target, result)) return result;
  Control* control = accessible_tree::find(window_, target);
  if (!control || accessible::defaultActionOf(readControlFacts(*control).kind).empty()) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (!default_action::available(*control)) return E_FAIL;
  return default_action::post(window_, target) ? S_OK : E_FAIL;
}

HRESULT AccessibleNode::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT AccessibleNode::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace talvek
