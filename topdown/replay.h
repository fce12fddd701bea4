// replay.h -- a race kept as a file: the course it was run on, its players
// and country, the seed of its random numbers and the controls of every
// step, enough to run the race again step for step
//
// The program keeps one replay per course and number of players, the run
// that set the best time, as "replays/mNN-Pp.replay" beside "times.txt"
// ("replays/m03-1p.replay": course 3, one player). The file is plain text,
// one item a line; lines starting with '#' and blank lines are skipped:
//
//   replay 1            the format's version; the first line that counts
//   course 3            the course number, 1 ... 99
//   check 5d41a2b3      course_check of the course and the tile attributes
//                       it was run with, 8 hex digits
//   players 1           1 or 2
//   country 0           0 Australia, 1 United States (the driving side and
//                       the whirls' spin follow it)
//   seed 3735928559     the seed of the race's random numbers, 0 ... 2^32-1
//   finish 2114         the finishing time that set the record, in steps
//   steps 2115          how many steps of controls follow: finish + 1
//   41 4                runs of equal controls, in the order of the steps:
//   3 5                 how many steps (1 or more), then the control word
//   ...                 in hex (player 1's in bits 0-7, player 2's in
//   end                 bits 8-15; bits as CTRL_LEFT ... CTRL_ACTION)
//
// The header lines come in this order, each once; the runs must add up to
// "steps"; after "end" only comments and blank lines may follow. Anything
// else makes the file damaged, and a damaged replay is never used.
#ifndef REPLAY_H
#define REPLAY_H

#include <string>
#include <vector>

#include "course_file.h"

enum {
  REPLAY_VERSION = 1,
  // The longest race kept: an hour of steps. A slower record is still a
  // best time, but it has no replay.
  MAX_REPLAY_STEPS = 50 * 60 * 60,
};

// A run of steps with the same control word.
struct ControlRun {
  int steps;
  int word;
};

struct Replay {
  int course = 0;
  unsigned check = 0;
  int players = 1;
  bool usa = false;
  unsigned seed = 0;
  int finish = 0;
  std::vector<ControlRun> runs;

  // The number of steps the runs cover.
  int steps() const;
  // Appends one step's control word, joining it to the last run when equal.
  void add(int word);
  // Keeps only the first n steps.
  void cut(int n);
};

// The check of a course as its file holds it, followed by the 256 tile
// attribute bytes (both decide how a race runs): FNV-1a, 32 bits.
unsigned course_check(const Map &m, const unsigned char attr[256]);

// The file of course's replay for players: "replays/mNN-Pp.replay".
std::string replay_file_name(int course, int players);

// The replay as its file holds it.
std::string replay_text(const Replay &r);

// Reads a replay from its text. False (r unspecified) if the text is not a
// whole, valid replay of this version.
bool replay_parse(const std::string &text, Replay &r);

// Reads the replay file name. False if it can't be read, is too large to
// be one, or is damaged.
bool replay_read(const char *name, Replay &r);

// Writes r to its file (replay_file_name), making the folder if needed,
// through a temporary file. False, with a log line, if it failed.
bool replay_save(const Replay &r);

enum ReplayStatus {
  REPLAY_NONE,     // no replay kept
  REPLAY_USABLE,   // a replay of this very course
  REPLAY_CHANGED,  // the course (or the tiles) changed since it was run
  REPLAY_DAMAGED,  // not a replay, or not one of this course and players
};

// Reads the replay of course for players into r and tells whether it can
// be used on a course whose check is check. With log, a damaged or
// out-of-date replay is noted in the log.
ReplayStatus replay_load(int course, int players, unsigned check, Replay &r, bool log);

#endif
