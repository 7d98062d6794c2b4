#include "netutil/TaskbarPin.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <shldisp.h>
#include <wrl/client.h>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kPinVerbStringId = 5386;
constexpr int kVerbNameBuffer = 256;

class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : value_(SysAllocString(text.c_str())) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* put() {
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }

 private:
  BSTR value_ = nullptr;
};

ComPtr<FolderItemVerbs> verbsOf(const std::string& directory, const std::string& fileName) {
  CLSID shellClass{};
  ComPtr<IShellDispatch> shell;
  if (FAILED(CLSIDFromProgID(L"Shell.Application", &shellClass)) ||
      FAILED(CoCreateInstance(shellClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellDispatch,
                              reinterpret_cast<void**>(shell.GetAddressOf())))) {
    return nullptr;
  }
  Bstr directoryText(toWide(directory.c_str()));
  VARIANT folderName;
  VariantInit(&folderName);
  folderName.vt = VT_BSTR;
  folderName.bstrVal = directoryText.get();
  ComPtr<Folder> folder;
  if (shell->NameSpace(folderName, folder.GetAddressOf()) != S_OK || !folder) return nullptr;
  Bstr fileText(toWide(fileName.c_str()));
  ComPtr<FolderItem> item;
  if (folder->ParseName(fileText.get(), item.GetAddressOf()) != S_OK || !item) return nullptr;
  ComPtr<FolderItemVerbs> verbs;
  if (FAILED(item->Verbs(verbs.GetAddressOf())) || !verbs) return nullptr;
  return verbs;
}

}  // namespace

std::wstring TaskbarPin::pinVerbName() {
  HMODULE shell = LoadLibraryA("Shell32.dll");
  if (!shell) return {};
  wchar_t buffer[kVerbNameBuffer] = {};
  int length = LoadStringW(shell, kPinVerbStringId, buffer, kVerbNameBuffer);
  FreeLibrary(shell);
  return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

void TaskbarPin::pin(const std::string& directory, const std::string& fileName) {
  invokeVerb(directory, fileName, pinVerbName());
}

int TaskbarPin::invokeVerb(const std::string& directory, const std::string& fileName,
                           const std::wstring& verbName) {
  // Without a name every nameless menu entry would match.
  if (verbName.empty()) return -1;
  ComApartment apartment;
  ComPtr<FolderItemVerbs> verbs = verbsOf(directory, fileName);
  if (!verbs) return -1;
  long count = 0;
  if (FAILED(verbs->get_Count(&count))) return -1;
  for (long i = 0; i < count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<FolderItemVerb> verb;
    if (FAILED(verbs->Item(index, verb.GetAddressOf())) || !verb) continue;
    Bstr name;
    if (FAILED(verb->get_Name(name.put())) || !name.get()) continue;
    if (verbName == name.get()) verb->DoIt();
  }
  return static_cast<int>(count);
}

}  // namespace talvek
