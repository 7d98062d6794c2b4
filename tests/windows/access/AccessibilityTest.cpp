// The accessibility server seen from a client in the same process: the
// calls go through the same objects a screen reader gets, only without the
// process boundary.
#include "toolkit/access/AccessibilityServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "tests/windows/controls/FormFixture.h"
#include "toolkit/access/KeyboardNavigator.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/EditBox.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/LateLoadedApis.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitWindowProc.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {

VARIANT childId(LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::u16string nameOf(IAccessible* object, LONG id = CHILDID_SELF) {
  BSTR name = nullptr;
  if (object->get_accName(childId(id), &name) != S_OK || !name) return {};
  std::u16string text(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
  SysFreeString(name);
  return text;
}

std::u16string valueOf(IAccessible* object, LONG id) {
  BSTR value = nullptr;
  if (object->get_accValue(childId(id), &value) != S_OK || !value) return u"(none)";
  std::u16string text(reinterpret_cast<const char16_t*>(value), SysStringLen(value));
  SysFreeString(value);
  return text;
}

long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*), IAccessible* object, LONG id) {
  VARIANT out;
  VariantInit(&out);
  if ((object->*getter)(childId(id), &out) != S_OK || out.vt != VT_I4) return -1;
  return out.lVal;
}

long roleOf(IAccessible* object, LONG id = CHILDID_SELF) { return numberOf(&IAccessible::get_accRole, object, id); }
long stateOf(IAccessible* object, LONG id = CHILDID_SELF) { return numberOf(&IAccessible::get_accState, object, id); }

struct Released {
  void operator()(IUnknown* object) const {
    if (object) object->Release();
  }
};
using AccessiblePtr = std::unique_ptr<IAccessible, Released>;

class AccessibleForm : public ControlsOnForm {
 protected:
  void SetUp() override {
    ControlsOnForm::SetUp();
    enableAccessibility();
    const ControlRef root = form.objectId();
    ASSERT_TRUE(panel.create(root, {10, 10, 280, 150}, 0xFF202020));
    ASSERT_TRUE(closeButton.create(root, {260, 165, 30, 30}, ByteView()));
    closeButton.setTip("关闭");
    ASSERT_TRUE(installButton.create(panel.handle, {10, 10, 100, 30}, ByteView(), ByteView(), ByteView()));
    setAccessibleName(installButton.handle, u"立即安装");
    ASSERT_TRUE(box.create(panel.handle, {10, 50, 120, 18}, std::nullopt, std::nullopt, "创建桌面快捷方式"));
    box.checked(1);
    EditBoxOptions readOnly;
    readOnly.inputMode = 1;
    ASSERT_TRUE(path.create(panel.handle, {10, 80, 200, 24}, "C:\\Talvek\\", plainStyle(), readOnly));
    ASSERT_TRUE(status.create(root, {10, 165, 200, 24}, "即将开启", plainStyle()));
    ASSERT_TRUE(pictureBox.create(panel.handle, {150, 10, 40, 30}, ByteView()));
    ProgressOptions ring;
    ring.position = 35;
    ASSERT_TRUE(progress.create(panel.handle, {200, 40, 60, 60}, ring));
    for (Control* control : std::initializer_list<Control*>{&closeButton, &installButton, &box}) {
      control->setEventProc([this](HWND, ControlRef ref, int code, std::intptr_t, std::intptr_t, std::intptr_t,
                                   std::intptr_t, std::intptr_t) {
        if (code >= 1 && code <= 3) ownerEvents.push_back({ref, code});
        return 0;
      });
    }
    client = clientObject();
    ASSERT_TRUE(client);
  }
  void TearDown() override {
    client.reset();
    setAccessibilityFilter(nullptr);
    setCompositionOverlay(nullptr);
    ControlsOnForm::TearDown();
  }
  static TextStyleDescription plainStyle() {
    return describeTextStyle(std::nullopt, std::nullopt, 12, 0xFFFFFFFF, 0);
  }
  AccessiblePtr clientObject() {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(form.hwnd(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
      return nullptr;
    }
    return AccessiblePtr(object);
  }
  AccessiblePtr child(IAccessible* parent, LONG id) {
    IDispatch* dispatch = nullptr;
    if (parent->get_accChild(childId(id), &dispatch) != S_OK || !dispatch) return nullptr;
    IAccessible* object = nullptr;
    dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object));
    dispatch->Release();
    return AccessiblePtr(object);
  }
  // The panel is the client's first child, the install button the panel's.
  AccessiblePtr panelObject() { return child(client.get(), 1); }
  LONG count(IAccessible* object) {
    LONG children = -1;
    object->get_accChildCount(&children);
    return children;
  }
  void key(WPARAM code) { SendMessageW(form.hwnd(), WM_KEYDOWN, code, 0); }

  Panel panel;
  ImageButton closeButton;
  TriStateButton installButton;
  CheckBox box;
  EditBox path;
  Label status;
  PictureBox pictureBox;
  ProgressIndicator progress;
  AccessiblePtr client;
  std::vector<std::pair<ControlRef, int>> ownerEvents;
};

TEST_F(AccessibleForm, TheTreeFollowsTheControlsWithRolesNamesStatesAndValues) {
  EXPECT_EQ(roleOf(client.get()), ROLE_SYSTEM_CLIENT);
  // Straight on the form: the panel, the close button and the status line,
  // oldest first; the rest sit under the panel.
  ASSERT_EQ(count(client.get()), 3);
  EXPECT_EQ(roleOf(client.get(), 1), ROLE_SYSTEM_GROUPING);
  EXPECT_EQ(roleOf(client.get(), 2), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(nameOf(client.get(), 2), u"关闭");
  EXPECT_EQ(roleOf(client.get(), 3), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(nameOf(client.get(), 3), u"即将开启");

  AccessiblePtr inPanel = panelObject();
  ASSERT_TRUE(inPanel);
  ASSERT_EQ(count(inPanel.get()), 5);
  EXPECT_EQ(roleOf(inPanel.get(), 1), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(nameOf(inPanel.get(), 1), u"立即安装");
  EXPECT_EQ(roleOf(inPanel.get(), 2), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_EQ(nameOf(inPanel.get(), 2), u"创建桌面快捷方式");
  EXPECT_NE(stateOf(inPanel.get(), 2) & STATE_SYSTEM_CHECKED, 0);
  EXPECT_EQ(roleOf(inPanel.get(), 3), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(valueOf(inPanel.get(), 3), u"C:\\Talvek\\");
  EXPECT_NE(stateOf(inPanel.get(), 3) & STATE_SYSTEM_READONLY, 0);
  EXPECT_EQ(roleOf(inPanel.get(), 4), ROLE_SYSTEM_GRAPHIC);
  EXPECT_EQ(roleOf(inPanel.get(), 5), ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(valueOf(inPanel.get(), 5), u"35%");

  box.checked(0);
  status.visible(0);
  EXPECT_EQ(stateOf(inPanel.get(), 2) & STATE_SYSTEM_CHECKED, 0);
  EXPECT_NE(stateOf(client.get(), 3) & STATE_SYSTEM_INVISIBLE, 0);
  form.disabled(true);
  EXPECT_NE(stateOf(inPanel.get(), 1) & STATE_SYSTEM_UNAVAILABLE, 0);
  EXPECT_EQ(inPanel->accDoDefaultAction(childId(1)), E_FAIL);
  form.disabled(false);
  EXPECT_EQ(stateOf(inPanel.get(), 1) & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST_F(AccessibleForm, NoObjectIsHandedOutOutsideTheUiApartment) {
  bool answered = true;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    LRESULT result = 0;
    answered = accessibilityFilter(form.hwnd(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), result);
    CoUninitialize();
  }).join();
  EXPECT_FALSE(answered) << "its calls would arrive on threads that walk the registry unguarded";
}

TEST_F(AccessibleForm, LocationsHitTestsAndNavigationAgree) {
  POINT origin{0, 0};
  ClientToScreen(form.hwnd(), &origin);
  AccessiblePtr inPanel = panelObject();
  LONG x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(inPanel->accLocation(&x, &y, &w, &h, childId(1)), S_OK);
  EXPECT_EQ(x, origin.x + installButton.windowRect.x);
  EXPECT_EQ(y, origin.y + installButton.windowRect.y);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 30);

  VARIANT hit;
  ASSERT_EQ(client->accHitTest(x + 5, y + 5, &hit), S_OK);
  ASSERT_EQ(hit.vt, VT_DISPATCH);
  AccessiblePtr hitObject;
  {
    IAccessible* object = nullptr;
    hit.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object));
    hitObject.reset(object);
    VariantClear(&hit);
  }
  EXPECT_EQ(nameOf(hitObject.get()), u"立即安装");
  // On the panel's own background the panel answers.
  ASSERT_EQ(inPanel->accHitTest(origin.x + panel.windowRect.x + 270, origin.y + panel.windowRect.y + 140, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, CHILDID_SELF);
  EXPECT_EQ(client->accHitTest(origin.x - 50, origin.y - 50, &hit), S_FALSE);
  // On a control's edge the mouse does not reach it, and neither does a
  // screen reader's hit test: there the panel answers.
  const POINT corner{installButton.visibleRect.x, installButton.visibleRect.y};
  EXPECT_NE(hitTest(form.hwnd(), corner), installButton.handle);
  ASSERT_EQ(inPanel->accHitTest(origin.x + corner.x, origin.y + corner.y, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  VariantClear(&hit);

  VARIANT next;
  ASSERT_EQ(hitObject->accNavigate(NAVDIR_NEXT, childId(CHILDID_SELF), &next), S_OK);
  ASSERT_EQ(next.vt, VT_DISPATCH);
  IAccessible* sibling = nullptr;
  next.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&sibling));
  VariantClear(&next);
  EXPECT_EQ(nameOf(sibling), u"创建桌面快捷方式");
  sibling->Release();

  IDispatch* parent = nullptr;
  ASSERT_EQ(client->get_accParent(&parent), S_OK);
  ASSERT_NE(parent, nullptr);
  HWND found = nullptr;
  EXPECT_EQ(WindowFromAccessibleObject(client.get(), &found), S_OK);
  EXPECT_EQ(found, form.hwnd());
  parent->Release();
}

TEST_F(AccessibleForm, AnObjectHeldAcrossItsControlsEndAnswersNotConnected) {
  AccessiblePtr inPanel = panelObject();
  AccessiblePtr button = child(inPanel.get(), 1);
  ASSERT_TRUE(button);
  EXPECT_EQ(nameOf(button.get()), u"立即安装");
  installButton.unregister();
  BSTR name = nullptr;
  EXPECT_EQ(button->get_accName(childId(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(button->accDoDefaultAction(childId(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
  LONG x = 0, y = 0, w = 0, h = 0;
  EXPECT_EQ(button->accLocation(&x, &y, &w, &h, childId(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
  IDispatch* parent = nullptr;
  EXPECT_EQ(button->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
  // The panel lives on with one child less.
  EXPECT_EQ(count(inPanel.get()), 4);
  // A whole window gone: its client object too.
  form.destroy();
  EXPECT_EQ(client->get_accChildCount(&x), CO_E_OBJNOTCONNECTED);
}

TEST_F(AccessibleForm, ADefaultActionIsPostedAndGivesTheOwnerWhatAClickGives) {
  const POINT centre{installButton.windowRect.x + 50, installButton.windowRect.y + 15};
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, pointParam(centre.x, centre.y));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, pointParam(centre.x, centre.y));
  const auto byMouse = ownerEvents;
  ASSERT_FALSE(byMouse.empty());
  ownerEvents.clear();

  AccessiblePtr inPanel = panelObject();
  ASSERT_EQ(inPanel->accDoDefaultAction(childId(1)), S_OK);
  EXPECT_TRUE(ownerEvents.empty()) << "the action ran inside the call";
  pumpMessages();
  EXPECT_EQ(ownerEvents, byMouse);

  ownerEvents.clear();
  ASSERT_EQ(inPanel->accDoDefaultAction(childId(2)), S_OK);
  EXPECT_TRUE(box.isChecked());
  pumpMessages();
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(ownerEvents.size(), 3u);

  EXPECT_EQ(inPanel->accDoDefaultAction(childId(3)), DISP_E_MEMBERNOTFOUND);  // the edit box
  BSTR action = nullptr;
  ASSERT_EQ(inPanel->get_accDefaultAction(childId(2), &action), S_OK);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(action)), u"切换");
  SysFreeString(action);
}

TEST_F(AccessibleForm, TabVisitsTheKeyboardControlsSpaceTogglesAndEscCancels) {
  keyboard::setCancelControl(form.hwnd(), closeButton.handle);
  auto focused = [&] { return readRefProperty(form.hwnd(), kFocusProperty); };
  // Registry order: newest first, each control's children in front of it;
  // Tab walks towards the front, starting from the end, and wraps.
  key(VK_TAB);
  EXPECT_EQ(focused(), installButton.handle);
  key(VK_TAB);
  EXPECT_EQ(focused(), box.handle);
  key(VK_SPACE);
  EXPECT_FALSE(box.isChecked());
  key(VK_RETURN);
  EXPECT_TRUE(box.isChecked());
  key(VK_TAB);
  EXPECT_EQ(focused(), path.handle);
  key(VK_TAB);
  EXPECT_EQ(focused(), closeButton.handle);
  key(VK_TAB);
  EXPECT_EQ(focused(), installButton.handle);

  ownerEvents.clear();
  key(VK_ESCAPE);
  ASSERT_FALSE(ownerEvents.empty());
  EXPECT_EQ(ownerEvents.front().first, closeButton.handle);
  closeButton.visible(0);
  ownerEvents.clear();
  key(VK_ESCAPE);
  EXPECT_TRUE(ownerEvents.empty()) << "Esc acts only where the close button would";
}

TEST_F(AccessibleForm, TheFocusCueShowsOnlyAfterAKeyPress) {
  form.redraw(true);
  const Rect area = box.visibleRect;
  const std::vector<Argb> before = picture(area);
  // Focus by other means than a key: no cue.
  keyboard::focusControl(form.hwnd(), box.handle);
  EXPECT_EQ(picture(area), before);
  key(VK_SHIFT);
  EXPECT_NE(picture(area), before);
  // Moving on takes the cue along and restores the box.
  key(VK_TAB);
  EXPECT_EQ(picture(area), before);
}

TEST_F(AccessibleForm, TheFocusCueSurvivesTheFocusedControlRedrawingItself) {
  form.redraw(true);
  const Rect area = installButton.visibleRect;
  const Rect topRow{area.x, area.y, area.width, 1};
  const std::vector<Argb> withoutCue = picture(topRow);
  ASSERT_TRUE(keyboard::focusControl(form.hwnd(), installButton.handle));
  key(VK_SHIFT);
  const std::vector<Argb> withCue = picture(topRow);
  ASSERT_NE(withCue, withoutCue);

  // What a hover or a press does to a focused button.
  installButton.redraw();
  EXPECT_EQ(picture(topRow), withCue) << "the cue is part of the button's composition";
  form.repaintAll();
  EXPECT_EQ(picture(topRow), withCue) << "and of the whole window's";
}

TEST_F(AccessibleForm, AFocusedTextBoxShowsItsCaretAndNoCueOverItsText) {
  EditBox editable;
  ASSERT_TRUE(editable.create(form.objectId(), {120, 110, 150, 24}, "可编辑", plainStyle()));
  form.redraw(true);
  ASSERT_TRUE(keyboard::focusControl(form.hwnd(), editable.handle));
  // As the caret's blink draws it: focused, the caret on.
  editable.redraw();
  const std::vector<Argb> focused = picture(editable.visibleRect);
  key(VK_SHIFT);
  EXPECT_EQ(picture(editable.visibleRect), focused);
  editable.redraw();
  EXPECT_EQ(picture(editable.visibleRect), focused) << "no cue over the box or its text";
}

std::vector<std::pair<DWORD, LONG>> seenEvents;

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD, DWORD) {
  seenEvents.push_back({event, object});
}

TEST_F(AccessibleForm, ChangesAreAnnouncedAsWinEvents) {
  seenEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, recordEvent,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  status.setText("正在安装", true);
  progress.position(50);
  box.checked(0);
  status.visible(0);
  keyboard::focusControl(form.hwnd(), path.handle);
  for (int i = 0; i < 20; ++i) pumpMessages();
  UnhookWinEvent(hook);
  auto saw = [](DWORD event, ControlRef ref) {
    for (const auto& [seen, object] : seenEvents) {
      if (seen == event && object == ref) return true;
    }
    return false;
  };
  EXPECT_TRUE(saw(EVENT_OBJECT_NAMECHANGE, status.handle));
  EXPECT_TRUE(saw(EVENT_OBJECT_VALUECHANGE, progress.handle));
  EXPECT_TRUE(saw(EVENT_OBJECT_STATECHANGE, box.handle));
  EXPECT_TRUE(saw(EVENT_OBJECT_HIDE, status.handle));
  EXPECT_TRUE(saw(EVENT_OBJECT_FOCUS, path.handle));

  // A client finds the object an event names.
  IAccessible* object = nullptr;
  VARIANT child;
  ASSERT_EQ(AccessibleObjectFromEvent(form.hwnd(), static_cast<DWORD>(status.handle), CHILDID_SELF, &object, &child),
            S_OK);
  EXPECT_EQ(nameOf(object), u"正在安装");
  object->Release();
}

}  // namespace
}  // namespace talvek::test
