#include "installer/DesktopShellStart.h"

#include <windows.h>

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <memory>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/MessagePump.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr DWORD kShellAnswerWaitMs = 20000;

std::string failedAt(const char* step, HRESULT result) {
  char code[16];
  wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string(step) + " failed, " + code;
}

class BstrText {
 public:
  explicit BstrText(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
  ~BstrText() { SysFreeString(text_); }
  BstrText(const BstrText&) = delete;
  BstrText& operator=(const BstrText&) = delete;
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// The desktop window's view, its automation object, and that object's
// shell: the shell process runs the verb with its own token.
std::string openThroughDesktopView(const std::wstring& file, const std::wstring& directory) {
  ComPointer<IShellWindows> windows;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.putVoid());
  if (FAILED(hr)) return failedAt("shell windows", hr);
  VARIANT desktopLocation;
  VariantInit(&desktopLocation);
  desktopLocation.vt = VT_I4;
  desktopLocation.lVal = CSIDL_DESKTOP;
  VARIANT empty;
  VariantInit(&empty);
  long desktopWindow = 0;
  ComPointer<IDispatch> browserDispatch;
  hr = windows->FindWindowSW(&desktopLocation, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                             browserDispatch.put());
  if (hr != S_OK || !browserDispatch) return failedAt("desktop window", FAILED(hr) ? hr : E_FAIL);
  ComPointer<IServiceProvider> services;
  hr = browserDispatch->QueryInterface(IID_IServiceProvider, services.putVoid());
  if (FAILED(hr)) return failedAt("desktop services", hr);
  ComPointer<IShellBrowser> browser;
  hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.putVoid());
  if (FAILED(hr)) return failedAt("desktop browser", hr);
  ComPointer<IShellView> view;
  hr = browser->QueryActiveShellView(view.put());
  if (FAILED(hr) || !view) return failedAt("desktop view", FAILED(hr) ? hr : E_FAIL);
  ComPointer<IDispatch> viewDispatch;
  hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, viewDispatch.putVoid());
  if (FAILED(hr)) return failedAt("view automation", hr);
  ComPointer<IShellFolderViewDual> folderView;
  hr = viewDispatch->QueryInterface(IID_IShellFolderViewDual, folderView.putVoid());
  if (FAILED(hr)) return failedAt("folder view", hr);
  ComPointer<IDispatch> applicationDispatch;
  hr = folderView->get_Application(applicationDispatch.put());
  if (FAILED(hr) || !applicationDispatch) return failedAt("shell application", FAILED(hr) ? hr : E_FAIL);
  ComPointer<IShellDispatch2> shell;
  hr = applicationDispatch->QueryInterface(IID_IShellDispatch2, shell.putVoid());
  if (FAILED(hr)) return failedAt("shell dispatch", hr);

  BstrText fileText(file);
  VARIANT arguments, folder, verb, show;
  for (VARIANT* v : {&arguments, &folder, &verb, &show}) VariantInit(v);
  arguments.vt = VT_BSTR;
  arguments.bstrVal = SysAllocString(L"");
  folder.vt = VT_BSTR;
  folder.bstrVal = SysAllocString(directory.c_str());
  verb.vt = VT_BSTR;
  verb.bstrVal = SysAllocString(L"open");
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  hr = shell->ShellExecute(fileText.get(), arguments, folder, verb, show);
  for (VARIANT* v : {&arguments, &folder, &verb, &show}) VariantClear(v);
  if (FAILED(hr)) return failedAt("shell execute", hr);
  return {};
}

struct ShellCall {
  std::wstring file;
  std::wstring directory;
  std::string failure;
};

// On a thread of its own: a hung shell must not hold the installer's
// window, and the thread keeps its own copy of what it needs if the wait
// gives up on it.
DWORD WINAPI shellCallEntry(void* parameter) {
  std::unique_ptr<std::shared_ptr<ShellCall>> holder(static_cast<std::shared_ptr<ShellCall>*>(parameter));
  ShellCall& call = **holder;
  try {
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
      call.failure = openThroughDesktopView(call.file, call.directory);
      CoUninitialize();
    } else {
      call.failure = "no COM on the helper thread";
    }
  } catch (...) {
    call.failure = "the shell call failed";
  }
  return 0;
}

}  // namespace

ShellStartResult startThroughDesktopShell(const std::string& file, const std::string& directory) {
  auto call = std::make_shared<ShellCall>();
  call->file = toWide(file);
  call->directory = toWide(directory);
  auto* parameter = new std::shared_ptr<ShellCall>(call);
  Handle thread(CreateThread(nullptr, 0, &shellCallEntry, parameter, 0, nullptr));
  if (!thread) {
    delete parameter;
    return {ShellAnswer::NoRoute, "no thread for the shell call"};
  }
  // Our windows keep answering meanwhile: the shell may talk to them.
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= kShellAnswerWaitMs) {
      return {ShellAnswer::NoAnswer, "the desktop shell did not answer within 20 s"};
    }
    HANDLE waited = thread.get();
    const DWORD woken = MsgWaitForMultipleObjects(1, &waited, FALSE, kShellAnswerWaitMs - elapsed, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) break;
    dispatchWaitingMessages([&] { return GetTickCount() - start < kShellAnswerWaitMs; });
  }
  if (call->failure.empty()) return {ShellAnswer::Started, {}};
  return {ShellAnswer::NoRoute, call->failure};
}

}  // namespace talvek
