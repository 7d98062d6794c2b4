#include "installer/NewHeldFolder.h"

#include <sddl.h>
#include <winternl.h>

#include "installer/NativeFunction.h"

namespace talvek {
namespace {

using CreateFunction = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER,
                                        ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using StatusToError = ULONG(WINAPI*)(NTSTATUS status);

}  // namespace

FolderRights::FolderRights(const std::wstring& descriptor) {
  PSECURITY_DESCRIPTOR made = nullptr;
  if (!descriptor.empty() &&
      ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor.c_str(), SDDL_REVISION_1, &made, nullptr)) {
    memory_.reset(made);
  }
}

Handle makeHeldFolder(const std::wstring& path, PSECURITY_DESCRIPTOR rights, ACCESS_MASK extraAccess) {
  static const auto create = nativeFunction<CreateFunction>("NtCreateFile");
  static const auto statusToError = nativeFunction<StatusToError>("RtlNtStatusToDosError");
  if (!create || !statusToError) {
    SetLastError(ERROR_INVALID_FUNCTION);
    return {};
  }
  std::wstring name = path.rfind(L"\\\\", 0) == 0 ? L"\\??\\UNC\\" + path.substr(2) : L"\\??\\" + path;
  UNICODE_STRING objectName{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                            static_cast<USHORT>(name.size() * sizeof(wchar_t)), name.data()};
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.ObjectName = &objectName;
  attributes.Attributes = OBJ_CASE_INSENSITIVE;
  attributes.SecurityDescriptor = rights;
  IO_STATUS_BLOCK io{};
  HANDLE made = nullptr;
  const NTSTATUS status =
      create(&made, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE | extraAccess, &attributes, &io, nullptr,
             FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
             FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, nullptr, 0);
  if (status >= 0) return Handle(made);
  SetLastError(statusToError(status));
  return {};
}

}  // namespace talvek
