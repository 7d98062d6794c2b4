#include "installer/Shortcuts.h"

#include <windows.h>

#include <objidl.h>
#include <shobjidl.h>
#include <shlobj.h>

#include <memory>

#include "installer/AutomationObject.h"
#include "installer/ShortcutRules.h"
#include "installer/SpecialFolder.h"
#include "installer/SystemLibraries.h"
#include "toolkit/core/CodePage.h"

namespace talvek {
namespace {

template <typename T>
struct ComReleaser {
  void operator()(T* object) const {
    if (object) object->Release();
  }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComReleaser<T>>;


}  // namespace

bool createDesktopShortcut(const DesktopShortcut& shortcut) {
  return createDesktopShortcut(shortcut, specialFolder(kFolderDesktop));
}

bool createDesktopShortcut(const DesktopShortcut& shortcut, const std::string& folder) {
  // No folder would make the link's path relative to the current directory.
  if (folder.empty()) return false;
  const std::string linkPath = desktopLinkPath(folder, shortcut.name);
  if (GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileA(linkPath.c_str());
  auto workingDirectory = workingDirectoryOf(shortcut.target);
  if (!workingDirectory) return false;

  // By its full path: a bare name is searched for beside the program first.
  const std::wstring typeLibrary = systemFolderFile(L"wshom.ocx");
  if (typeLibrary.empty()) return false;
  AutomationObject shell = AutomationObject::fromTypeLibrary(typeLibrary.c_str(), L"WshShell");
  if (!shell) return false;
  Variant created;
  std::vector<Variant> arguments;
  arguments.emplace_back(linkPath);
  if (!shell.call(L"CreateShortcut", std::move(arguments), &created)) return false;
  AutomationObject link = AutomationObject::fromVariant(created);
  if (!link) return false;
  if (!link.put(L"TargetPath", Variant(shortcut.target))) return false;

  // From here on the scripting object may refuse single properties (some
  // refuse a window style of 0 or any hotkey); the link is saved anyway.
  link.put(L"WorkingDirectory", Variant(*workingDirectory));
  link.put(L"IconLocation", Variant(iconLocationFor(shortcut.target, shortcut.iconLocation)));
  link.put(L"WindowStyle", Variant(shortcut.windowStyle));
  link.put(L"Description", Variant(shortcut.description));
  link.put(L"Arguments", Variant(shortcut.arguments));
  link.put(L"Hotkey", Variant(shortcut.hotkey));
  link.call(L"Save");
  return true;
}

bool createShellLink(const ShellLink& link) {
  IShellLinkA* rawLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&rawLink)))) {
    return false;
  }
  ComPtr<IShellLinkA> shellLink(rawLink);
  IPersistFile* rawFile = nullptr;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return false;
  ComPtr<IPersistFile> file(rawFile);

  shellLink->SetPath(link.target.c_str());
  shellLink->SetShowCmd(SW_SHOW);
  if (link.description) shellLink->SetDescription(link.description->c_str());
  if (link.arguments) shellLink->SetArguments(link.arguments->c_str());
  if (link.workingDirectory) shellLink->SetWorkingDirectory(link.workingDirectory->c_str());

  std::string path = link.linkPath;
  if (path.find('.') == std::string::npos) path += ".lnk";
  return SUCCEEDED(file->Save(toWide(path).c_str(), TRUE));
}

}  // namespace talvek
