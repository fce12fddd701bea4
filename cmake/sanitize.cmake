# sanitize.cmake -- with -DSANITIZE=ON every program, tool, test and fuzz
# target of the tree is built with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang: CC=clang CXX=clang++), and with the
# coverage instrumentation that libFuzzer steers by.
#
# Every report stops the program. The only exceptions are reports raised
# inside Allegro's own headers (its fixed-point helpers shift negative
# numbers left, for one): they are listed in cmake/sanitize/ubsan.supp. A
# suppression can only apply to a check that may go on after a report, so
# exactly the kinds of check named there are built recoverable, and the
# options built into every program (options.cpp) make each of their reports
# that is not suppressed fatal all the same (halt_on_error). Leaks that
# Allegro and the X libraries leave at exit are listed in lsan.supp.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "SANITIZE needs clang (CC=clang CXX=clang++ cmake ...)")
endif()

set(SANITIZE_DIR ${CMAKE_CURRENT_LIST_DIR}/sanitize)
set(SANITIZE_RECOVER shift-base)
add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=all -fsanitize-recover=${SANITIZE_RECOVER}
                    -fsanitize=fuzzer-no-link
                    -fsanitize-coverage-ignorelist=${SANITIZE_DIR}/coverage.ignore)
add_link_options(-fsanitize=address,undefined)

# The run-time options and suppressions, linked into every executable.
add_library(sanitize_options OBJECT ${SANITIZE_DIR}/options.cpp)
target_compile_definitions(sanitize_options PRIVATE SANITIZE_DIR="${SANITIZE_DIR}")
link_libraries(sanitize_options)
