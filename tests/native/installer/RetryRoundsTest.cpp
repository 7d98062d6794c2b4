#include "installer/RetryRounds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace talvek;

namespace {

struct FakeClock {
  std::uint32_t now = 0;
  RetryRounds rounds(std::uint32_t budgetMs, std::uint32_t pauseMs) {
    return RetryRounds({[this] { return now; }, [this](std::uint32_t ms) { now += ms; }}, budgetMs, pauseMs);
  }
};

}  // namespace

TEST(RetryRounds, ThousandsOfHeldItemsCostTheBudgetOnceNotAWaitEach) {
  FakeClock clock;
  RetryRounds rounds = clock.rounds(3000, 100);
  std::vector<int> held(10000);
  int attempts = 0;
  rounds.retry(held, [&](int&) {
    ++attempts;
    clock.now += 1;  // each attempt takes a millisecond
    return false;
  });
  EXPECT_EQ(held.size(), 10000u) << "nothing that failed is dropped";
  EXPECT_LE(clock.now, 3001u);
  EXPECT_GT(attempts, 2000);
  // A later call has nothing left to spend.
  std::vector<int> more(1);
  rounds.retry(more, [](int&) { return true; });
  EXPECT_EQ(more.size(), 1u);
}

TEST(RetryRounds, OnlyWhatStillFailsIsTriedAgainInItsOrder) {
  struct Item {
    std::string name;
    int attemptsToGo;  // 0: never goes
  };
  FakeClock clock;
  RetryRounds rounds = clock.rounds(3000, 100);
  std::vector<Item> pending{{"a", 2}, {"b", 1}, {"held", 0}, {"c", 3}, {"d", 1}};
  std::vector<std::string> tried;
  rounds.retry(pending, [&](Item& item) {
    tried.push_back(item.name);
    return --item.attemptsToGo == 0;
  });
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].name, "held");
  ASSERT_GE(tried.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(tried.begin(), tried.begin() + 10),
            (std::vector<std::string>{"a", "b", "held", "c", "d", "a", "held", "c", "held", "c"}));
  EXPECT_LE(clock.now, 3000u);
}
