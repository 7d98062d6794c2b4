#include "toolkit/core/UiComApartment.h"

#include <objbase.h>

namespace talvek {

UiComApartment::UiComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  entered_ = SUCCEEDED(result);  // S_FALSE too: it must be balanced all the same
}

UiComApartment::~UiComApartment() {
  if (entered_) CoUninitialize();
}

bool enterUiApartment() {
  static UiComApartment apartment;
  return apartment.entered();
}

}  // namespace talvek
