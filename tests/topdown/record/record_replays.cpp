// record_replays.cpp -- makes the replays of the shipped courses that the
// tests play back (tests/topdown/replays): the autopilot drives each course
// in a live one-player race with a fixed seed, and the run is kept as the
// game keeps a record's replay. The same build always makes the same files,
// so run it again after a change to the logic or to a course, and commit
// what it wrote:
//   build/tests/topdown/record_replays [FOLDER]
// FOLDER (default: the source tree's tests/topdown) gets replays/mNN-1p.replay.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "autopilot.h"

using namespace autopilot;

int main(int argc, char **argv) {
  std::string folder = argc > 1 ? argv[1] : SOURCE_DIR "/tests/topdown";
  int failed = 0;
  for (int n = 1; n <= SHIPPED_COURSES; n++) {
    std::string error;
    std::vector<Waypoint> route;
    Replay replay;
    if (!load_course(n, error) || !course_route(n, route, error)) {
      fprintf(stderr, "%s: %s\n", course_name(n).c_str(), error.c_str());
      failed++;
      continue;
    }
    Outcome o = record_run(n, replay_seed(n), route, replay);
    if (!o.finished) {
      fprintf(stderr, "%s: the autopilot did not finish: %s\n", course_name(n).c_str(),
              o.where.c_str());
      failed++;
      continue;
    }
    if (chdir(folder.c_str()) != 0 || !replay_save(replay)) {
      fprintf(stderr, "%s: can't write %s/%s\n", course_name(n).c_str(), folder.c_str(),
              replay_file_name(n, 1).c_str());
      failed++;
      continue;
    }
    printf("%s: finish on step %d, %zu runs of controls\n", course_name(n).c_str(),
           replay.finish, replay.runs.size());
  }
  return failed ? 1 : 0;
}
