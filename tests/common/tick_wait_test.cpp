// tick_wait_test.cpp -- the play loops' sleep until the timer ticks: a tick
// posted before the wait is never slept through, one posted from another
// thread wakes the sleeper, and with none the wait gives up.
#include <gtest/gtest.h>

#include <thread>

#include "tick_wait.h"

namespace {

TEST(TickWait, ATickPostedBeforeTheWaitCountsOnce) {
  tick_wait(0);  // forget what earlier tests left
  tick_post();
  tick_post();
  EXPECT_TRUE(tick_wait(10000));
  EXPECT_FALSE(tick_wait(1));  // both were taken by the one wait
}

TEST(TickWait, ATickFromAnotherThreadWakesTheSleeper) {
  tick_wait(0);
  std::thread timer([] { tick_post(); });
  EXPECT_TRUE(tick_wait(60000));
  timer.join();
}

}  // namespace
