// file_name.h -- the name a file selector chose, fitted into an editor's
// name buffer
#ifndef FILE_NAME_H
#define FILE_NAME_H

#include <string>

// The working folder's path, however long ("" if it can't be told).
std::string working_folder();

// Copies chosen into name (size bytes) if it fits, else the part below the
// working folder if that fits. Returns false (name untouched) otherwise.
bool store_file_name(const char *chosen, char *name, int size);

// The name without its folder: "m07.map" for "/home/me/courses/m07.map".
std::string file_base_name(const char *name);

// True if both names lead to one existing file (through links, or a path
// and a name relative to the working folder).
bool same_file(const char *a, const char *b);

#endif
