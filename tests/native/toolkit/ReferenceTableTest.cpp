#include "toolkit/core/ReferenceTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>

#include "tests/native/toolkit/RecordingControl.h"
#include "toolkit/core/ToolkitWindow.h"

namespace talvek::test {
namespace {

class StubForm final : public ToolkitWindow {
 public:
  std::intptr_t handleMessage(unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
  HostWindow hwnd() const override { return fakeWindow(0x300); }
};

TEST(ReferenceTable, OnlyLiveReferencesReachAControl) {
  std::vector<ReceivedEvent> log;
  ControlRef stale = 0;
  {
    RecordingControl gone(log, nullptr, {});
    stale = gone.handle;
  }
  RecordingControl live(log, nullptr, {});
  live.result = 7;
  ASSERT_GT(live.handle, 0);
  EXPECT_NE(live.handle, stale);  // references are not reused

  ReferenceTable& table = controlReferences();
  EXPECT_EQ(deliverOnOwnerThread(table, live.handle, 301, 1, 2), 7);
  for (ControlRef ref : {0, -1, stale, live.handle + 1000, 0x7FFFFFFF, static_cast<ControlRef>(0x80000000u)}) {
    EXPECT_EQ(deliverOnOwnerThread(table, ref, 301, 1, 2), 0) << ref;
    EXPECT_EQ(table.control(ref), nullptr);
  }
  ASSERT_EQ(log.size(), 1u);

  // Re-creating a control gives it a new name; the old one stays dead.
  ControlRef before = live.handle;
  live.attachReference();
  EXPECT_EQ(deliverOnOwnerThread(table, before, 301, 1, 2), 0);
  EXPECT_EQ(deliverOnOwnerThread(table, live.handle, 301, 1, 2), 7);
}

TEST(ReferenceTable, FormsHaveNegativeReferencesThatTakeNoEvents) {
  StubForm form;
  ReferenceTable& table = controlReferences();
  ControlRef ref = table.addForm(&form);
  EXPECT_LT(ref, 0);
  EXPECT_EQ(table.form(ref), &form);
  EXPECT_EQ(table.control(ref), nullptr);
  EXPECT_EQ(deliverOnOwnerThread(table, ref, 2, 0, 0), 0);
  table.remove(ref);
  EXPECT_EQ(table.form(ref), nullptr);
}

TEST(ReferenceTable, AnotherThreadNeverTouchesAControl) {
  std::vector<ReceivedEvent> log;
  ReferenceTable& table = controlReferences();
  auto live = std::make_unique<RecordingControl>(log, nullptr, Rect{});
  ControlRef liveRef = live->handle;
  std::optional<int> fromElsewhere = 0;
  std::thread([&] { fromElsewhere = deliverOnOwnerThread(table, liveRef, 301, 0, 0); }).join();
  EXPECT_FALSE(fromElsewhere.has_value()) << "a live control must be handed to its own thread";

  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::thread server([&] {
    std::mt19937 random(12345);
    while (!stop) {
      // Numbers around the live ones and anywhere else.
      ControlRef ref = (random() & 1) ? liveRef + static_cast<int>(random() % 64) - 8
                                      : static_cast<ControlRef>(random());
      std::optional<int> result = deliverOnOwnerThread(table, ref, 301, 0, 0);
      if (result && *result != 0) {
        ++wrong;
      }
    }
  });
  // The UI thread keeps creating and destroying controls meanwhile.
  for (int round = 0; round < 3000; ++round) {
    auto fresh = std::make_unique<RecordingControl>(log, nullptr, Rect{});
    if (round % 2 == 0) live = std::move(fresh);
  }
  stop = true;
  server.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_TRUE(log.empty());  // no handler ran on either thread
}

}  // namespace
}  // namespace talvek::test
