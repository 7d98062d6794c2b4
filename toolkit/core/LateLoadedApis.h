// The one way in to the headers of the libraries the executables load late
// (cmake/TalvekHardening.cmake lists them). Those headers declare their
// functions as imported, and a call through such a declaration reads the
// late-load slot where the loader may have clobbered it: a call jumped to
// address 0. Declared plain here, every call goes through the late-load
// stub, which is always sound. The build checks each executable's link map
// for any call that still reads a slot directly.
#pragma once

#if defined(_WININET_)
#error "include toolkit/core/LateLoadedApis.h instead of <wininet.h>"
#endif
#if defined(__oleacc_h__)
#error "include toolkit/core/LateLoadedApis.h instead of <oleacc.h>"
#endif
// The multimedia, common-control and shell headers are also reached through
// <windows.h>, so their switches are set for every source by the build.
#if !defined(_WINMM_) || !defined(_COMCTL32_) || !defined(_SHELL32_)
#error "the build must define _WINMM_, _COMCTL32_ and _SHELL32_ (cmake/TalvekHardening.cmake)"
#endif

#include <winsock2.h>
#include <windows.h>

#include <mmsystem.h>
#include <oleacc.h>
#pragma push_macro("DECLSPEC_IMPORT")
#undef DECLSPEC_IMPORT
#define DECLSPEC_IMPORT
#include <wininet.h>
#pragma pop_macro("DECLSPEC_IMPORT")
