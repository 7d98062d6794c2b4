#include "toolkit/core/UiComApartment.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

TEST(ComApartment, EntersASingleThreadedApartmentOrStandsAsideWithoutHarm) {
  std::thread([] {
    ComApartment apartment;
    EXPECT_TRUE(apartment.entered());
    // Single-threaded: asking for the other kind is refused.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
  }).join();

  // A thread that lives in the multi-threaded apartment keeps it, and the
  // refused apartment leaves nothing to undo.
  std::thread([] {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    {
      ComApartment apartment;
      EXPECT_FALSE(apartment.entered());
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
  }).join();
}

TEST(UiComApartment, IsOursOnlyOnTheThreadThatEnteredIt) {
  const bool entered = enterUiApartment();
  EXPECT_EQ(inUiApartment(), entered);
  std::thread([] {
    EXPECT_FALSE(inUiApartment());
    enterUiApartment();  // once per process: another thread never takes it over
    EXPECT_FALSE(inUiApartment());
  }).join();
}

}  // namespace
}  // namespace talvek
