// data_folder.cpp -- the folder a program runs in: the one holding its files
#include "data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include "file_name.h"  // working_folder
#include "log.h"
#include "player_folder.h"

std::string start_folder;

DataFolder choose_data_folder(const std::vector<std::string> &needed, const std::string &here,
                              const std::string &program, bool (*has)(const std::string &)) {
  auto holds = [&](const std::string &dir) {
    if (dir.empty()) return false;
    for (const std::string &name : needed)
      if (!has(dir + "/" + name)) return false;
    return true;
  };
  if (holds(here)) return DATA_HERE;
  if (holds(program)) return DATA_PROGRAM;
  return DATA_NONE;
}

bool file_readable(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), R_OK) == 0;
}

// program_folder
// The link's length is not known beforehand: the buffer grows until the
// whole of it fits (readlink fills it completely when it is cut short).
std::string program_folder() {
  for (size_t size = 256; size <= (1u << 20); size *= 2) {
    std::vector<char> buf(size);
    ssize_t n = readlink("/proc/self/exe", buf.data(), size);
    if (n < 0) return "";
    if ((size_t)n < size) return folder_of(std::string(buf.data(), (size_t)n));
  }
  return "";
}

std::string folder_of(const std::string &path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string name_from_start(const std::string &name) {
  if (name.empty() || name[0] == '/' || start_folder.empty()) return name;
  std::string there = start_folder + "/" + name;
  return file_readable(there) ? there : name;
}

// The names in needed, quoted, for a message.
static std::string quoted_list(const std::vector<std::string> &needed) {
  std::string s;
  for (const std::string &name : needed) s += (s.empty() ? "\"" : ", \"") + name + "\"";
  return s;
}

// start_in_data_folder
// One clear step: find the folder, go there (or to the player's own folder
// when it is an install's), open the log there.
void start_in_data_folder(const char *program, const std::vector<std::string> &needed) {
  start_folder = working_folder();
  std::string own = program_folder();
  DataFolder where = choose_data_folder(needed, start_folder, own, file_readable);
  if (where == DATA_PROGRAM && chdir(own.c_str()) != 0) where = DATA_NONE;
  std::vector<std::string> notes;
  std::string why;
  if (where != DATA_NONE)
    enter_player_folder(where == DATA_PROGRAM ? own : start_folder, notes, why);
  fr = fopen("report.txt", "w");
  if (where == DATA_NONE)
    fail("%s: can't find its files (%s) in the working folder \"%s\" nor in its own folder \"%s\"",
         program, quoted_list(needed).c_str(), start_folder.c_str(), own.c_str());
  if (!fr && !why.empty()) fail("%s: can't work in the player's folder: %s", program, why.c_str());
  if (!fr) fail("Couldn't create \"report.txt\"");
  if (where == DATA_PROGRAM)
    fprintf(fr, "Running in \"%s\", the program's own folder: the working folder \"%s\" lacks %s\n",
            own.c_str(), start_folder.c_str(), quoted_list(needed).c_str());
  if (!why.empty())
    fprintf(fr, "Working in the installed folder: the player's folder can't be used (%s)\n",
            why.c_str());
  for (const std::string &note : notes) fprintf(fr, "%s\n", note.c_str());
}
