// An accessibility client for tests: finds a toolkit window by a part of
// its title and reads or drives it from outside the process, as a screen
// reader or a test tool would. One JSON object per output line (UTF-8).
//
//   msaa_client tree  <title part> [seconds]        every object, depth first
//   msaa_client do    <title part> <name> [seconds]  the default action of the
//                                                    first object so named
//   msaa_client focus <title part> [seconds]        the focused object
//   msaa_client watch <title part> <seconds>        win events of the window
//
// Names may be written with \uXXXX escapes. Every run ends within its
// seconds (default 20): a watchdog ends the process with exit code 3, so no
// call into a busy or hung window can hold a test.
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kToolkitClass[] = L"RbSoft.RbUI.WindowClass.Window";

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::string json(const std::wstring& text) {
  std::string out = "\"";
  for (char c : utf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::wstring unescape(const std::wstring& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 5 < text.size() && text[i + 1] == L'u') {
      out += static_cast<wchar_t>(std::wcstol(text.substr(i + 2, 4).c_str(), nullptr, 16));
      i += 5;
    } else {
      out += text[i];
    }
  }
  return out;
}

const DWORD startedAt = GetTickCount();

// Every line carries the milliseconds since the client started ("t"), so a
// log shows where a run waited.
void line(const std::string& text) {
  std::string stamped = text;
  if (stamped.starts_with('{')) stamped.insert(1, "\"t\":" + std::to_string(GetTickCount() - startedAt) + ",");
  std::fwrite(stamped.data(), 1, stamped.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::atomic<HWND> target{nullptr};

// At the time-out, whether the window's thread still handles messages
// tells a stalled UI thread from a call lost on its way.
DWORD WINAPI watchdog(void* seconds) {
  Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(seconds)) * 1000);
  std::string verdict = "\"no window\"";
  if (const HWND window = target.load()) {
    DWORD_PTR ignored = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 2000, &ignored) != 0;
    verdict = answered ? "\"answers\"" : "\"silent\"";
  }
  line("{\"error\":\"timeout\",\"ui_thread\":" + verdict + "}");
  ExitProcess(3);
}

struct Search {
  std::wstring titlePart;
  HWND found = nullptr;
};

BOOL CALLBACK considerWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t className[128] = {};
  wchar_t title[256] = {};
  GetClassNameW(window, className, 128);
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && std::wcscmp(className, kToolkitClass) == 0 &&
      std::wcsstr(title, search->titlePart.c_str())) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND findWindow(const std::wstring& titlePart) {
  Search search{titlePart};
  EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

VARIANT self() {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  return child;
}

std::wstring text(HRESULT result, BSTR value) {
  std::wstring out = SUCCEEDED(result) && value ? std::wstring(value, SysStringLen(value)) : std::wstring();
  SysFreeString(value);
  return out;
}

std::wstring nameOf(IAccessible* object) {
  BSTR name = nullptr;
  const HRESULT result = object->get_accName(self(), &name);
  return text(result, name);
}

std::string describe(IAccessible* object, int depth) {
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  object->get_accRole(self(), &role);
  object->get_accState(self(), &state);
  BSTR value = nullptr, action = nullptr;
  const HRESULT valueResult = object->get_accValue(self(), &value);
  const HRESULT actionResult = object->get_accDefaultAction(self(), &action);
  LONG x = 0, y = 0, w = 0, h = 0;
  object->accLocation(&x, &y, &w, &h, self());
  char numbers[160];
  std::snprintf(numbers, sizeof numbers, "{\"depth\":%d,\"role\":%ld,\"state\":%ld,\"location\":[%ld,%ld,%ld,%ld]",
                depth, role.vt == VT_I4 ? role.lVal : -1L, state.vt == VT_I4 ? state.lVal : -1L, x, y, w, h);
  std::string out = numbers;
  out += ",\"name\":" + json(nameOf(object));
  if (valueResult == S_OK) out += ",\"value\":" + json(text(valueResult, value));
  out += ",\"action\":" + json(text(actionResult, action)) + "}";
  return out;
}

// Depth first; visit returns true to stop.
template <typename Visit>
bool walk(IAccessible* object, int depth, Visit& visit) {
  if (visit(object, depth)) return true;
  LONG count = 0;
  if (FAILED(object->get_accChildCount(&count)) || count <= 0) return false;
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  LONG obtained = 0;
  if (FAILED(AccessibleChildren(object, 0, count, children.data(), &obtained))) return false;
  bool stop = false;
  for (LONG i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<std::size_t>(i)];
    if (!stop && child.vt == VT_DISPATCH && child.pdispVal) {
      IAccessible* accessible = nullptr;
      if (SUCCEEDED(child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible)))) {
        stop = walk(accessible, depth + 1, visit);
        accessible->Release();
      }
    }
    VariantClear(&child);
  }
  return stop;
}

IAccessible* clientOf(HWND window) {
  IAccessible* client = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&client)))) {
    return nullptr;
  }
  return client;
}

int printTree(IAccessible* client) {
  auto visit = [](IAccessible* object, int depth) {
    line(describe(object, depth));
    return false;
  };
  walk(client, 0, visit);
  return 0;
}

int doAction(IAccessible* client, const std::wstring& name) {
  HRESULT result = S_FALSE;
  auto visit = [&](IAccessible* object, int) {
    if (nameOf(object) != name) return false;
    result = object->accDoDefaultAction(self());
    return true;
  };
  if (!walk(client, 0, visit)) {
    line("{\"error\":\"no such object\"}");
    return 2;
  }
  char out[64];
  std::snprintf(out, sizeof out, "{\"result\":%ld}", static_cast<long>(result));
  line(out);
  return SUCCEEDED(result) ? 0 : 1;
}

int printFocus(IAccessible* client) {
  VARIANT focus;
  VariantInit(&focus);
  const HRESULT result = client->get_accFocus(&focus);
  if (result == S_OK && focus.vt == VT_DISPATCH && focus.pdispVal) {
    IAccessible* object = nullptr;
    if (SUCCEEDED(focus.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object)))) {
      line(describe(object, 0));
      object->Release();
    }
  } else {
    line("{\"focus\":null}");
  }
  VariantClear(&focus);
  return 0;
}

HWND watched = nullptr;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD) {
  if (window != watched) return;
  char head[96];
  std::snprintf(head, sizeof head, "{\"event\":%lu,\"object\":%ld", static_cast<unsigned long>(event),
                static_cast<long>(objectId));
  std::string out = head;
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(childId), &object,
                                          &child)) &&
      object) {
    out += ",\"name\":" + json(nameOf(object));
    BSTR value = nullptr;
    if (object->get_accValue(self(), &value) == S_OK) out += ",\"value\":" + json(text(S_OK, value));
    object->Release();
  }
  VariantClear(&child);
  line(out + "}");
}

int watch(HWND window, int seconds) {
  watched = window;
  // Every process: under Wine a hook limited to one process hears nothing.
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, onEvent, 0, 0,
                                       WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!hook) return 1;
  line("{\"watching\":true}");
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (static_cast<LONG>(end - GetTickCount()) > 0 && IsWindow(window)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  UnhookWinEvent(hook);
  return 0;
}

int run(const std::vector<std::wstring>& args) {
  if (args.size() < 3) {
    line("{\"error\":\"usage: tree|do|focus|watch <title part> ...\"}");
    return 2;
  }
  const std::wstring& command = args[1];
  const std::size_t secondsAt = command == L"do" ? 4 : 3;
  const int seconds = args.size() > secondsAt ? std::max(1, _wtoi(args[secondsAt].c_str())) : 20;
  // The watchdog outlives a watch by a little, so a watch ends by itself.
  CreateThread(nullptr, 0, watchdog, reinterpret_cast<void*>(static_cast<INT_PTR>(seconds + 5)), 0, nullptr);

  HWND window = nullptr;
  for (int tries = 0; tries < 50 && !window; ++tries) {
    window = findWindow(unescape(args[2]));
    if (!window) Sleep(100);
  }
  if (!window) {
    line("{\"error\":\"no window\"}");
    return 2;
  }
  target = window;
  if (command == L"watch") return watch(window, seconds);
  IAccessible* client = clientOf(window);
  if (!client) {
    line("{\"error\":\"no accessible object\"}");
    return 2;
  }
  int code = 2;
  if (command == L"tree") code = printTree(client);
  if (command == L"focus") code = printFocus(client);
  if (command == L"do" && args.size() > 3) code = doAction(client, unescape(args[3]));
  client->Release();
  return code;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args(argv, argv + count);
  LocalFree(argv);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int code = run(args);
  CoUninitialize();
  return code;
}
