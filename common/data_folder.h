// data_folder.h -- the folder a program runs in: the one holding its files
//
// Each program reads its files from, and writes its log "report.txt" to,
// the working folder. Started from elsewhere (by its full path, from a
// desktop's menu), the working folder lacks them; when the folder holding
// the executable has them, the program runs there instead.
#ifndef DATA_FOLDER_H
#define DATA_FOLDER_H

#include <string>
#include <vector>

enum DataFolder {
  DATA_HERE,     // the working folder holds the files
  DATA_PROGRAM,  // only the program's own folder does
  DATA_NONE,     // neither
};

// Where a program that needs the files named in needed runs: here (the
// working folder) if it holds every one, else program (the executable's
// folder) if that does, else nowhere. has(path) tells whether a file is
// there to be read.
DataFolder choose_data_folder(const std::vector<std::string> &needed, const std::string &here,
                              const std::string &program, bool (*has)(const std::string &));

// True if path names a plain file that can be read.
bool file_readable(const std::string &path);

// The folder holding the running executable (from /proc/self/exe, links
// resolved), or "" if it can't be told.
std::string program_folder();

// The folder part of a path: "/a/b" for "/a/b/c", "/" for "/c", "." for "c".
std::string folder_of(const std::string &path);

// The working folder the program was started in ("" before
// start_in_data_folder).
extern std::string start_folder;

// A file name given on the command line, made to name the same file after
// start_in_data_folder changed folders: relative to the start folder when
// a file of that name is there, else as it is.
std::string name_from_start(const std::string &name);

// The start-up step of every program, before anything is read: stays in
// the working folder when it holds the files named in needed, else changes
// into the program's own folder when that holds them; when the folder
// found is an install's, works in the player's own folder instead
// (enter_player_folder, player_folder.h); opens the log "report.txt"
// where it works and notes a change of folder in it. When neither
// holds them, the log is opened in the working folder and the program ends
// (status 1) with a message naming both folders.
void start_in_data_folder(const char *program, const std::vector<std::string> &needed);

#endif
