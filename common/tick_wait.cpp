// tick_wait.cpp -- the program's own thread asleep until the next timer tick
#include "tick_wait.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

static std::mutex lock;
static std::condition_variable ticked;
static int posted;  // ticks posted and not yet waited for

void tick_post() {
  {
    std::lock_guard<std::mutex> hold(lock);
    posted++;
  }
  ticked.notify_one();
}

// tick_wait
// Every tick posted before the call counts: one that arrived while the loop
// was busy is never slept through.
bool tick_wait(int max_ms) {
  std::unique_lock<std::mutex> hold(lock);
  bool came = ticked.wait_for(hold, std::chrono::milliseconds(max_ms), [] { return posted > 0; });
  posted = 0;
  return came;
}
