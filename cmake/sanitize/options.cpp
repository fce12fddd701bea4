// options.cpp -- the sanitizers' run-time options, built into every program
// of a sanitizer build so that each one runs with them however it is
// started (by CTest, by the build, by hand). An environment variable such
// as ASAN_OPTIONS still adds to them.

extern "C" {

// Every report is fatal, with a stack trace; the suppressions are Allegro's.
const char *__ubsan_default_options() {
  return "halt_on_error=1:print_stacktrace=1:suppressions=" SANITIZE_DIR "/ubsan.supp";
}

const char *__asan_default_options() { return "detect_stack_use_after_return=1"; }

const char *__lsan_default_options() { return "suppressions=" SANITIZE_DIR "/lsan.supp"; }

// Allegro loads its sound drivers as shared modules and unloads them at
// exit, before the leak check runs; what they and the sound library still
// held then shows as leaks of an unknown module. Left loaded, as they are
// here, their memory is still reachable from them when the check runs.
int dlclose(void *) { return 0; }
}
