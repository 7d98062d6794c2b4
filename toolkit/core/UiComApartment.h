// The UI thread's COM apartment: single-threaded, so that calls from other
// processes (screen readers, test tools) arrive on the UI thread through
// its message loop. A failure leaves the toolkit working without it.
#pragma once

namespace talvek {

class UiComApartment {
 public:
  UiComApartment();
  ~UiComApartment();
  UiComApartment(const UiComApartment&) = delete;
  UiComApartment& operator=(const UiComApartment&) = delete;

  bool entered() const { return entered_; }

 private:
  bool entered_ = false;
};

// Enters the calling thread's apartment once; it is left at process exit.
// False when COM refused (the thread already lives in another kind).
bool enterUiApartment();

}  // namespace talvek
