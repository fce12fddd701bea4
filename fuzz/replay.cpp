// replay.cpp -- the main of a fuzz target built without libFuzzer: runs the
// target once on each file named on the command line (or on each file of a
// named folder; options in libFuzzer's form are ignored), so that the seed
// corpus, and every input that once found a fault, is a regression test of
// the normal build.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

// The bytes of the file name; false if it can't be read.
static bool read_file(const std::string &name, std::vector<uint8_t> &out) {
  FILE *f = fopen(name.c_str(), "rb");
  if (!f) return false;
  out.clear();
  int c;
  while ((c = getc(f)) != EOF) out.push_back((uint8_t)c);
  fclose(f);
  return true;
}

// The files to run: each argument, or the files of a folder argument (in
// name order, so runs repeat).
static void collect(const std::string &path, std::vector<std::string> &files) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return;
  if (!S_ISDIR(st.st_mode)) {
    files.push_back(path);
    return;
  }
  struct dirent **list;
  int n = scandir(path.c_str(), &list, nullptr, alphasort);
  for (int i = 0; i < n; i++) {
    std::string name = list[i]->d_name;
    if (name != "." && name != "..") collect(path + "/" + name, files);
    free(list[i]);
  }
  if (n >= 0) free(list);
}

int main(int argc, char **argv) {
  std::vector<std::string> files;
  // Whole paths: the target's set-up may change the working folder.
  for (int i = 1; i < argc; i++) {
    if (argv[i][0] == '-') continue;  // libFuzzer's options
    char *full = realpath(argv[i], nullptr);
    if (!full) {
      fprintf(stderr, "No such file: %s\n", argv[i]);
      return 1;
    }
    collect(full, files);
    free(full);
  }
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<uint8_t> data;
  for (const std::string &name : files) {
    if (!read_file(name, data)) {
      fprintf(stderr, "Couldn't read %s\n", name.c_str());
      return 1;
    }
    fprintf(stderr, "Running %s (%zu bytes)\n", name.c_str(), data.size());
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  fprintf(stderr, "%zu inputs ran\n", files.size());
  return files.empty() ? 1 : 0;
}
