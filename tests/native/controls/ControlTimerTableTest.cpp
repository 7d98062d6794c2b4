#include "toolkit/controls/ControlTimerTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace talvek;

namespace {

constexpr TimerKind kFast = TimerKind::kFast;
constexpr TimerKind kWindow = TimerKind::kWindow;

// Spins (yielding) until flag is set or about five seconds have passed.
bool waitFor(const std::atomic<bool>& flag) {
  for (int i = 0; i < 5000 && !flag; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return flag;
}

}  // namespace

TEST(ControlTimerTable, OneRecordPerControlKeyAndKind) {
  ControlTimerTable table;
  EXPECT_FALSE(table.set({.control = 7, .id = 100, .key = -1, .value = 10, .kind = kWindow}));
  EXPECT_FALSE(table.set({.control = 7, .id = 200, .key = -1, .value = 10, .kind = kFast}));
  EXPECT_EQ(table.set({.control = 7, .id = 101, .key = -1, .value = 5, .kind = kWindow}), 100u)
      << "the replaced timer is handed back to be stopped";
  EXPECT_EQ(table.size(), 2u);
  EXPECT_EQ(table.find(7, -1, kWindow)->value, 5);

  int delivered = 0;
  EXPECT_TRUE(table.dispatch(101, kWindow, [&](const TimerRecord& r) { delivered += r.value; }));
  EXPECT_FALSE(table.dispatch(100, kWindow, [&](const TimerRecord&) { ++delivered; })) << "old id: caller kills it";
  EXPECT_FALSE(table.dispatch(101, kFast, [&](const TimerRecord&) { ++delivered; })) << "ids are per kind";
  EXPECT_EQ(delivered, 5);

  EXPECT_EQ(table.remove(7, -1, kWindow), 101u);
  EXPECT_FALSE(table.remove(7, -1, kWindow));
  EXPECT_EQ(table.removeControl(7).size(), 1u);
  EXPECT_EQ(table.size(), 0u);
}

TEST(ControlTimerTable, ATimerMayKillItselfOrSetAnotherWhileItIsDelivered) {
  ControlTimerTable table;
  table.set({.control = 1, .id = 5, .key = 1, .kind = kFast});
  EXPECT_TRUE(table.dispatch(5, kFast, [&](const TimerRecord& r) {
    table.remove(r.control, r.key, r.kind);
    table.set({.control = 1, .id = 6, .key = 2, .kind = kFast});
  }));
  EXPECT_FALSE(table.find(1, 1, kFast));
  EXPECT_TRUE(table.find(1, 2, kFast));
}

TEST(ControlTimerTable, RemovingWaitsForADispatchRunningOnAnotherThread) {
  ControlTimerTable table;
  table.set({.control = 3, .id = 9, .key = 4, .kind = kFast});
  std::atomic<bool> started{false}, release{false}, deliverEnded{false}, removeReturned{false};
  std::atomic<bool> sawDeliverEnded{false};

  std::thread timerThread([&] {
    table.dispatch(9, kFast, [&](const TimerRecord&) {
      started = true;
      waitFor(release);
      deliverEnded = true;
    });
  });
  ASSERT_TRUE(waitFor(started));
  std::thread uiThread([&] {
    table.remove(3, 4, kFast);
    sawDeliverEnded = deliverEnded.load();
    removeReturned = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(removeReturned) << "remove returned while the timer was still being delivered";
  release = true;
  timerThread.join();
  uiThread.join();
  EXPECT_TRUE(sawDeliverEnded);
}

TEST(ControlTimerTable, AKilledFastTimerNeverReachesItsDestroyedControl) {
  ControlTimerTable table;
  constexpr int kControls = 8;
  std::atomic<bool> alive[kControls];
  for (auto& a : alive) a = false;
  std::atomic<int> deadDeliveries{0};
  std::atomic<bool> stop{false};

  std::thread timerThread([&] {
    std::uintptr_t id = 0;
    while (!stop) {
      id = id % kControls + 1;
      table.dispatch(id, kFast, [&](const TimerRecord& r) {
        if (!alive[r.control]) ++deadDeliveries;
      });
    }
  });
  for (int round = 0; round < 2000; ++round) {
    int control = round % kControls;
    alive[control] = true;
    table.set({.control = control, .id = static_cast<std::uintptr_t>(control + 1), .key = 1, .kind = kFast});
    std::this_thread::yield();
    table.removeControl(control);
    alive[control] = false;  // destroyed
  }
  stop = true;
  timerThread.join();
  EXPECT_EQ(deadDeliveries, 0);
}
