# Cross toolchain: 64-bit Windows, for the machines that cannot run 32-bit
# code, where the Windows tests run this build under 64-bit Wine.
set(TALVEK_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
