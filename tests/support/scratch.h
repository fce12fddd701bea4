// scratch.h -- files and folders for tests: whole-file reads and writes and
// a scratch folder that a test may work in and that is removed afterwards.
#ifndef SCRATCH_H
#define SCRATCH_H

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The bytes of a file (empty if it can't be read).
inline std::vector<unsigned char> slurp(const std::string &name) {
  std::vector<unsigned char> v;
  FILE *f = fopen(name.c_str(), "rb");
  if (!f) return v;
  int c;
  while ((c = getc(f)) != EOF) v.push_back((unsigned char)c);
  fclose(f);
  return v;
}

// Writes bytes to a file; false if it can't.
inline bool spit(const std::string &name, const std::vector<unsigned char> &v) {
  FILE *f = fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = v.empty() || fwrite(v.data(), 1, v.size(), f) == v.size();
  return fclose(f) == 0 && ok;
}

// The working folder, however long its path ("" if it can't be told).
inline std::string working_folder() {
  char *cwd = getcwd(nullptr, 0);
  std::string s = cwd ? cwd : "";
  free(cwd);
  return s;
}

// A fresh folder under /tmp; with enter, also the working directory until
// the object ends.
class Scratch {
 public:
  explicit Scratch(bool enter = false) {
    char tmpl[] = "/tmp/scratch.XXXXXX";
    dir = mkdtemp(tmpl) ? tmpl : "/tmp";
    if (enter) {
      old = working_folder();
      if (chdir(dir.c_str()) != 0) old.clear();
    }
  }
  ~Scratch() {
    if (!old.empty() && chdir(old.c_str()) != 0) perror("chdir");
    if (dir != "/tmp") (void)system(("rm -rf '" + dir + "'").c_str());
  }
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;
  std::string path(const std::string &name) const { return dir + "/" + name; }
  std::string dir;

 private:
  std::string old;
};

#endif
