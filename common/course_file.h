// course_file.h -- the course/level file format shared by all three programs
//
// A course is a grid of up to 256 x 256 tile bytes and up to 256 insertions.
// File layout (big-endian, no magic): w, h, n as 16-bit unsigned values, the
// w*h tile bytes column by column, then n insertions of three signed 32-bit
// values (x, y, code).
#ifndef COURSE_FILE_H
#define COURSE_FILE_H

#include <cstddef>
#include <cstdio>

enum { MAP_SIZE = 256, MAX_INSERTIONS = 256 };

struct Insertion {
  int x, y, code;
};

struct Map {
  int w, h, n;
  unsigned char t[MAP_SIZE][MAP_SIZE];  // t[x][y]
  Insertion ins[MAX_INSERTIONS];
};

// Reads a course from an open stream into m. Nothing is cleared first. Bytes
// missing at the end of the file read as -1, so a short header gives negative
// sizes (and nothing more is read). Never writes outside t or ins: a header
// that announces more than 256 columns, rows or insertions keeps what fits.
void course_read(FILE *f, Map &m);

// Opens name and reads it into m (course_read). Returns false, with m
// untouched, if the file can't be opened.
bool course_load(const char *name, Map &m);

// What course_load_whole found.
enum CourseRead { COURSE_WHOLE, COURSE_UNOPENED, COURSE_CUT_SHORT };

// course_load, telling also a file that ends before all that its header
// announces: m then holds what course_read made of it.
CourseRead course_load_whole(const char *name, Map &m);

// Writes m to name through a temporary file that replaces name only once every
// byte is on disk. Returns false (old file untouched) if anything fails.
bool course_write(const char *name, const Map &m);

// What an editor's Save writes: the course m to name, then the 256
// attribute bytes to attr_name, each the safe way. A file that can't be
// written is named in the log ("Couldn't write file ..."). False if either
// failed (the attribute table is not tried after a failed course).
bool course_save(const char *name, const Map &m, const unsigned char attr[256],
                 const char *attr_name);

// Writes size bytes to name the same safe way. Returns false on failure.
bool write_file_atomic(const char *name, const void *data, size_t size);

// True if a and b would be written as the same file (cells outside the
// course and insertion records past the count don't matter).
bool course_same_file(const Map &a, const Map &b);

// Serialised size of m in bytes.
long course_file_size(const Map &m);

// Grid edits: shift cells one place and change one dimension by one.
// Insertions keep their pixel positions.
void course_insert_row(Map &m, int r);
void course_delete_row(Map &m, int r);
void course_insert_column(Map &m, int c);
void course_delete_column(Map &m, int c);

// Insertion edits. Adds (x, y, code) at the end and returns its index, or
// -1 when the course holds 256 already.
int course_add_insertion(Map &m, int x, int y, int code);
// Removes insertion i, the last one taking its slot; false if there is no
// insertion i.
bool course_delete_insertion(Map &m, int i);
// The insertion nearest (x, y) by the sum of the distances across and
// down, if that is below limit; the first found wins a tie. -1 if none.
int course_nearest_insertion(const Map &m, int x, int y, int limit);
// A digit typed after a code: code * 10 + digit, unless that would not fit
// in an int (then the code stays).
void code_append_digit(int &code, int digit);
// Moves a coordinate by d, stopping at the ends of the int range (a course
// file may hold any coordinate).
void coordinate_nudge(int &v, int d);

// The default course: 25 x 25, tile 1 on the border, tile 2 inside, no
// insertions.
void course_default(Map &m);

// Reads up to 256 attribute bytes from "tileattr.wz"-style file name into
// attr; bytes the file lacks are set to 0. Returns the number of bytes read,
// or -1 if the file cannot be opened.
int attr_read(const char *name, unsigned char attr[256]);

#endif
