// script_file.h -- the command files the play tests are steered by (routes):
// one command a line, '#' starts a comment.
#ifndef SCRIPT_FILE_H
#define SCRIPT_FILE_H

#include <fstream>
#include <sstream>
#include <string>

// read_script
// Calls each(words, where, line) for every line of path that holds a word,
// its comment cut off: words reads the line, where is "PATH:LINE: " for
// messages. False with "can't open PATH" in error if the file can't be
// read, or as soon as each returns false (having set error).
template <class Each> bool read_script(const std::string &path, std::string &error, Each each) {
  std::ifstream in(path);
  if (!in) {
    error = "can't open " + path;
    return false;
  }
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    line++;
    size_t hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
    if (!each(words, path + ":" + std::to_string(line) + ": ", line)) return false;
  }
  return true;
}

#endif
