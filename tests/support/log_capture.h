// log_capture.h -- what a program writes to its log (fr) during a test.
#ifndef LOG_CAPTURE_H
#define LOG_CAPTURE_H

#include <cstdio>
#include <string>

#include "log.h"

// While it lives, the log goes to a temporary file of its own (which the
// test leaves open); afterwards the log is what it was before (often none).
class LogCapture {
 public:
  LogCapture() : saved(fr), mine(tmpfile()) { fr = mine; }
  ~LogCapture() {
    if (mine) fclose(mine);
    fr = saved;
  }
  LogCapture(const LogCapture &) = delete;
  LogCapture &operator=(const LogCapture &) = delete;

  // Everything written so far; later lines still go after it.
  std::string text() const {
    std::string s;
    if (!mine) return s;
    rewind(mine);
    int c;
    while ((c = getc(mine)) != EOF) s += (char)c;
    return s;
  }

 private:
  FILE *saved, *mine;
};

#endif
