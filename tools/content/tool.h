// tool.h -- what every content program does alike: stopping with a message
// that names the program and the place in a source, and writing a file
// whole or not at all
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The program's name for its messages; main sets it first.
extern const char *tool_name;

// Prints "tool_name: msg" (or "tool_name: where: msg") and ends the program
// with status 1.
[[noreturn]] void stop(const std::string &msg);
[[noreturn]] void stop(const std::string &where, const std::string &msg);

// Prints "tool_name: msg" and goes on.
void warn(const std::string &msg);

// Appends v as an n-byte little-endian number (the file headers of BMP,
// PCX and WAV).
void put_le(std::vector<unsigned char> &out, unsigned long v, int n);

// Writes bytes to path through a temporary file beside it, so a failed run
// never leaves a half-written file; stops the program on failure.
void save_file(const std::string &path, const std::vector<unsigned char> &bytes);

// A text source read line by line, for the readers of the content
// programs' sources: messages name a line "path:N".
struct SourceFile {
  // Opens path; stops the program if it can't.
  explicit SourceFile(const std::string &path);
  // Reads the next line into `line`; false at the end of the file.
  bool next();
  // Whether the line is blank or a comment ('#' first).
  bool comment() const { return line.empty() || line[0] == '#'; }
  // The line as a stream of words, its first word already read into
  // `first`.
  std::istringstream words(std::string &first) const;
  // "path:N" of the line last read.
  std::string where() const { return path + ":" + std::to_string(lineno); }

  std::string path, line;
  int lineno = 0;
  std::ifstream in;
};
