#include "toolkit/core/UiComApartment.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

namespace talvek {
namespace {

TEST(UiComApartment, EntersASingleThreadedApartmentOrStandsAsideWithoutHarm) {
  std::thread([] {
    UiComApartment apartment;
    EXPECT_TRUE(apartment.entered());
    // Single-threaded: asking for the other kind is refused.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
  }).join();

  // A thread that lives in the multi-threaded apartment keeps it, and the
  // refused apartment leaves nothing to undo.
  std::thread([] {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    {
      UiComApartment apartment;
      EXPECT_FALSE(apartment.entered());
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
  }).join();
}

}  // namespace
}  // namespace talvek
