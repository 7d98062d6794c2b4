#include "installer/ServiceWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/windows/TestSupport.h"

using namespace talvek;

TEST(ServiceWindow, OnlyTheInstallersOwnRelayRunsTheHandler) {
  ServiceWindow service;
  ASSERT_TRUE(service.create());
  int runs = 0;
  service.setRelayHandler([&] { ++runs; });

  // What any other process can send or post: the message with whatever
  // parameters it likes.
  for (WPARAM w : {WPARAM(0), WPARAM(1), WPARAM(0xDEADBEEF), WPARAM(0xFFFFFFFF)}) {
    EXPECT_EQ(SendMessageW(service.handle(), ServiceWindow::kRelayMessage, w, 0), 0);
    PostMessageW(service.handle(), ServiceWindow::kRelayMessage, w, static_cast<LPARAM>(w));
  }
  test::waitUntil([] { return false; }, 100);  // the posted ones are handled
  EXPECT_EQ(runs, 0);

  // The worker's relay, from another thread, runs it once and waits for it.
  std::atomic<bool> relayed{false}, returned{false};
  std::thread worker([&] {
    relayed = service.relay();
    returned = true;
  });
  test::waitUntil([&] { return returned.load(); }, 10000);
  worker.join();
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(relayed);
  EXPECT_TRUE(IsWindow(service.handle()));
}
