// fuzz.h -- what every fuzz target shares: a scratch folder to work in (the
// readers open fixed names in the working folder), writing the input there
// as a file, a log that goes nowhere, and checks that stop the run.
//
// A target defines LLVMFuzzerTestOneInput and, when it has set-up to do,
// LLVMFuzzerInitialize. Built with libFuzzer (the sanitizer tree) it fuzzes;
// built with replay.cpp (the normal tree) it runs the files it is given.
#ifndef FUZZ_H
#define FUZZ_H

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log.h"

// Stops the run with a message when a property of the reader fails; the
// fuzzer then keeps the input that did it.
#define FUZZ_CHECK(cond)                                                          \
  do {                                                                            \
    if (!(cond)) {                                                                \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);    \
      abort();                                                                    \
    }                                                                             \
  } while (0)

// The scratch folder, removed with what it holds when the program ends.
inline std::string &fuzz_scratch() {
  static std::string dir;
  return dir;
}

inline void fuzz_remove_scratch() {
  if (!fuzz_scratch().empty() && chdir("/") == 0)
    (void)!system(("rm -rf '" + fuzz_scratch() + "'").c_str());
}

// Makes a fresh folder under $TMPDIR (or /tmp) and works in it from now on.
// The run script points TMPDIR at a folder in memory where it can.
inline void fuzz_enter_scratch() {
  const char *tmp = getenv("TMPDIR");
  std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz.XXXXXX";
  if (!mkdtemp(&tmpl[0]) || chdir(tmpl.c_str()) != 0) {
    perror(tmpl.c_str());
    abort();
  }
  fuzz_scratch() = tmpl;
  atexit(fuzz_remove_scratch);
}

// Writes the input as the file name in the working folder.
inline void fuzz_write(const char *name, const uint8_t *data, size_t size) {
  FILE *f = fopen(name, "wb");
  FUZZ_CHECK(f);
  FUZZ_CHECK(size == 0 || fwrite(data, 1, size, f) == size);
  FUZZ_CHECK(fclose(f) == 0);
}

// The programs' log, open but going nowhere: the readers' log lines are
// written (their formats run) and cost nothing.
inline void fuzz_quiet_log() {
  if (!fr) fr = fopen("/dev/null", "w");
}

#endif
