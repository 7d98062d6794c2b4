#include "installer/FreshFolder.h"

#include <windows.h>

#include <sddl.h>
#include <winternl.h>

#include "installer/WideDecimal.h"

namespace talvek {
namespace {

constexpr int kNameAttempts = 100;
constexpr NTSTATUS kNameCollision = static_cast<NTSTATUS>(0xC0000035);
constexpr NTSTATUS kNotImplemented = static_cast<NTSTATUS>(0xC0000002);

using CreateFunction = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER,
                                        ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);

// Made and opened in one call: a folder made by name and then opened by
// name could be renamed away and another put in its place in between by
// anyone who may change the folder above. Sharing without deletion is the
// hold. Looked up, not imported: the system's own library is always there,
// but the import table names only libraries the loader protects.
Handle createHeld(const std::wstring& folder, PSECURITY_DESCRIPTOR descriptor, NTSTATUS& status) {
  static const auto create = reinterpret_cast<CreateFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateFile")));
  status = kNotImplemented;
  if (!create) return {};
  std::wstring name = folder.rfind(L"\\\\", 0) == 0 ? L"\\??\\UNC\\" + folder.substr(2) : L"\\??\\" + folder;
  UNICODE_STRING objectName{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                            static_cast<USHORT>(name.size() * sizeof(wchar_t)), name.data()};
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.ObjectName = &objectName;
  attributes.Attributes = OBJ_CASE_INSENSITIVE;
  attributes.SecurityDescriptor = descriptor;
  IO_STATUS_BLOCK io{};
  HANDLE made = nullptr;
  status = create(&made, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &io, nullptr,
                  FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
                  FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  return Handle(status >= 0 ? made : nullptr);
}

}  // namespace

FreshFolder createFreshFolder(const std::wstring& parent, const std::wstring& stem, const std::wstring& rights) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (rights.empty() ||
      !ConvertStringSecurityDescriptorToSecurityDescriptorW(rights.c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
    return {};
  }
  const LocalMemory ownedDescriptor(descriptor);
  const std::wstring base = parent + stem + wideDecimal(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring folder = base + wideDecimal(static_cast<unsigned long>(attempt));
    // Fails for any existing name, so the folder is ours and empty.
    NTSTATUS status = 0;
    Handle held = createHeld(folder, descriptor, status);
    if (held) return {folder + L"\\", std::move(held)};
    if (status != kNameCollision) return {};
  }
  return {};
}

}  // namespace talvek
