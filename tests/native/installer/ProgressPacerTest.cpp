#include "installer/ProgressPacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using talvek::ProgressPacer;

namespace {

// The extraction of `entries` entries as the extractor reports it, each
// entry taking `entryMs` on a clock that starts at `startMs`.
struct PacedRun {
  std::vector<int> shown;
  std::vector<std::uint32_t> turns;
  std::uint32_t clock;
  long reports = 0;
  long updates = 0;
};

PacedRun extract(long entries, std::uint32_t entryMs, std::uint32_t startMs = 1000, std::uint32_t turnMs = 0) {
  PacedRun run{{}, {}, startMs};
  ProgressPacer pacer({[&](int percent) { run.shown.push_back(percent); },
                       [&] {
                         run.turns.push_back(run.clock);
                         run.clock += turnMs;
                       },
                       [&] { return run.clock; }});
  for (long i = 0; i < entries; ++i) {
    run.clock += entryMs;
    pacer.report(static_cast<int>(i * 100 / entries));
  }
  pacer.report(100);
  run.reports = pacer.reports();
  run.updates = pacer.updates();
  return run;
}

std::vector<int> everyPercentage() {
  std::vector<int> all;
  for (int p = 0; p <= 100; ++p) all.push_back(p);
  return all;
}

}  // namespace

TEST(ProgressPacer, ShowsEachWholePercentageOnceAndInOrderWhateverTheEntryCount) {
  for (long entries : {1L, 7L, 100L, 101L, 4488L, 50000L}) {
    PacedRun run = extract(entries, 1);
    std::vector<int> expected;
    for (long i = 0; i < entries; ++i) {
      int p = static_cast<int>(i * 100 / entries);
      if (expected.empty() || expected.back() != p) expected.push_back(p);
    }
    if (expected.back() != 100) expected.push_back(100);
    EXPECT_EQ(run.shown, expected) << entries << " entries";
    EXPECT_EQ(run.updates, static_cast<long>(expected.size()));
    EXPECT_EQ(run.reports, entries + 1);
  }
  EXPECT_EQ(extract(50000, 0).shown, everyPercentage());
}

TEST(ProgressPacer, TheWindowGetsItsTurnsAtABoundedRateAndNeverWaitsLong) {
  // Many fast entries, few fast ones, one report per slow block.
  for (std::uint32_t entryMs : {0u, 1u, 7u, 29u, 45u, 99u, 150u}) {
    PacedRun run = extract(20000, entryMs);
    const std::uint32_t span = run.clock - 1000;
    for (size_t i = 1; i < run.turns.size(); ++i) {
      const std::uint32_t gap = run.turns[i] - run.turns[i - 1];
      EXPECT_GE(gap, ProgressPacer::kTurnAfterChangeMs) << entryMs << " ms per entry";
      // Reports come every entryMs: a turn is never later than one report
      // after it was due.
      EXPECT_LE(gap, std::max(ProgressPacer::kLongestWaitMs, ProgressPacer::kTurnAfterChangeMs) + entryMs);
    }
    if (entryMs > 0) EXPECT_GE(run.turns.size(), span / (ProgressPacer::kLongestWaitMs + entryMs));
    EXPECT_LE(run.turns.size(), span / ProgressPacer::kTurnAfterChangeMs + 1);
  }
}

TEST(ProgressPacer, AChangedPercentageGetsItsTurnSoonerThanTheLongestWait) {
  // 10 entries of 40 ms: every report changes the percentage and is due.
  PacedRun run = extract(10, 40);
  EXPECT_EQ(run.turns.size(), 10u);
}

TEST(ProgressPacer, ASlowTurnDoesNotMakeEveryFollowingReportATurn) {
  PacedRun run = extract(1000, 1, 1000, 250);
  for (size_t i = 1; i < run.turns.size(); ++i) EXPECT_GE(run.turns[i] - run.turns[i - 1], 250u);
}

TEST(ProgressPacer, KeepsItsPaceAcrossTheClocksWrapAround) {
  PacedRun run = extract(20000, 1, 0xFFFFFFFFu - 5000);
  ASSERT_GT(run.turns.size(), 100u);
  for (size_t i = 1; i < run.turns.size(); ++i) {
    const std::uint32_t gap = run.turns[i] - run.turns[i - 1];
    EXPECT_GE(gap, ProgressPacer::kTurnAfterChangeMs);
    EXPECT_LE(gap, ProgressPacer::kLongestWaitMs + 1);
  }
}

TEST(ProgressPacer, WorkWithNothingToReportTurnsTheWindowAtTheLongestWaitAndShowsNothing) {
  PacedRun run{{}, {}, 1000};
  ProgressPacer pacer({[&](int percent) { run.shown.push_back(percent); }, [&] { run.turns.push_back(run.clock); },
                       [&] { return run.clock; }});
  for (int look = 0; look < 3000; ++look) {
    run.clock += 1;
    pacer.working();
  }
  EXPECT_TRUE(run.shown.empty());
  EXPECT_EQ(pacer.reports(), 0);
  ASSERT_EQ(run.turns.size(), 3000 / ProgressPacer::kLongestWaitMs);
  for (size_t i = 1; i < run.turns.size(); ++i) EXPECT_EQ(run.turns[i] - run.turns[i - 1], ProgressPacer::kLongestWaitMs);
  // The first report after it is still shown, and turns no sooner than due.
  pacer.report(0);
  EXPECT_EQ(run.shown, std::vector<int>{0});
}
