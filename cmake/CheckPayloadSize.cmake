# cmake -DPAYLOAD=archive.zip -DLIMIT=bytes -P CheckPayloadSize.cmake
#
# The installer is a 32-bit program: its image, which holds the archive,
# and the view of the archive written out for extraction share one 2 GB
# address space. A payload past LIMIT would build an installer that cannot
# start or cannot extract, so the build stops here instead.
file(SIZE ${PAYLOAD} size)
if(size GREATER LIMIT)
  math(EXPR size_mib "${size} / 1048576")
  math(EXPR limit_mib "${LIMIT} / 1048576")
  message(FATAL_ERROR "The payload ${PAYLOAD} is ${size} bytes (${size_mib} MiB); this 32-bit installer can carry "
                      "and extract at most ${LIMIT} bytes (${limit_mib} MiB). Ship a smaller product archive.")
endif()
