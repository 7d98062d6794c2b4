#include "installer/ArchiveMemoryIo.h"

#include <algorithm>
#include <cstring>

namespace talvek {
namespace {

struct Cursor {
  MappedBytes bytes;
  std::uint64_t position;
};

voidpf ZCALLBACK openView(voidpf opaque, const void*, int mode) {
  if (mode & ZLIB_FILEFUNC_MODE_CREATE) return nullptr;  // read-only
  return new Cursor{*static_cast<const MappedBytes*>(opaque), 0};
}

uLong ZCALLBACK readView(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* cursor = static_cast<Cursor*>(stream);
  std::uint64_t available = cursor->bytes.size - cursor->position;
  uLong count = static_cast<uLong>(std::min<std::uint64_t>(size, available));
  std::memcpy(buffer, cursor->bytes.data + cursor->position, count);
  cursor->position += count;
  return count;
}

uLong ZCALLBACK writeView(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellView(voidpf, voidpf stream) { return static_cast<Cursor*>(stream)->position; }

long ZCALLBACK seekView(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* cursor = static_cast<Cursor*>(stream);
  const std::uint64_t size = cursor->bytes.size;
  std::uint64_t base = origin == ZLIB_FILEFUNC_SEEK_CUR   ? cursor->position
                       : origin == ZLIB_FILEFUNC_SEEK_END ? size
                                                          : 0;
  if (offset > size - base) return -1;  // never past the end of the view
  cursor->position = base + offset;
  return 0;
}

int ZCALLBACK closeView(voidpf, voidpf stream) {
  delete static_cast<Cursor*>(stream);
  return 0;
}

int ZCALLBACK errorOfView(voidpf, voidpf) { return 0; }

}  // namespace

zlib_filefunc64_def memoryFileFunctions(const MappedBytes* bytes) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = openView;
  functions.zread_file = readView;
  functions.zwrite_file = writeView;
  functions.ztell64_file = tellView;
  functions.zseek64_file = seekView;
  functions.zclose_file = closeView;
  functions.zerror_file = errorOfView;
  functions.opaque = const_cast<MappedBytes*>(bytes);
  return functions;
}

}  // namespace talvek
