// tool.cpp -- messages and file writing of the content programs
#include "tool.h"

#include <cstdio>
#include <cstdlib>

#include "course_file.h"

const char *tool_name = "tool";

// stop
void stop(const std::string &msg) {
  fprintf(stderr, "%s: %s\n", tool_name, msg.c_str());
  exit(1);
}

void stop(const std::string &where, const std::string &msg) { stop(where + ": " + msg); }

// warn
void warn(const std::string &msg) { fprintf(stderr, "%s: %s\n", tool_name, msg.c_str()); }

// put_le
void put_le(std::vector<unsigned char> &out, unsigned long v, int n) {
  for (int i = 0; i < n; i++) out.push_back((unsigned char)(v >> (8 * i)));
}

// save_file
void save_file(const std::string &path, const std::vector<unsigned char> &bytes) {
  if (!write_file_atomic(path.c_str(), bytes.data(), bytes.size())) stop("can't write " + path);
}

// SourceFile::SourceFile
SourceFile::SourceFile(const std::string &name) : path(name), in(name) {
  if (!in) stop(path, "can't open");
}

// SourceFile::next
bool SourceFile::next() {
  if (!std::getline(in, line)) return false;
  lineno++;
  return true;
}

// SourceFile::words
std::istringstream SourceFile::words(std::string &first) const {
  std::istringstream ss(line);
  ss >> first;
  return ss;
}
