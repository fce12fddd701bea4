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
#include <string>

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

// The bytes of the course file that holds m (what course_write writes).
std::string course_bytes(const Map &m);

// What course_load_whole found.
enum CourseRead { COURSE_WHOLE, COURSE_UNOPENED, COURSE_CUT_SHORT };

// course_load, telling also a file that ends before all that its header
// announces: m then holds what course_read made of it.
CourseRead course_load_whole(const char *name, Map &m);

// Writes m to name through a temporary file that replaces name only once every
// byte is on disk. Returns false (old file untouched) if anything fails.
bool course_write(const char *name, const Map &m);

// The tile attribute file that every course save rewrites.
constexpr const char *ATTR_FILE_NAME = "tileattr.wz";

// How far a save got: nothing written, the course but not the attribute
// table, or both. SAVE_FAILED is 0, so only a whole save reads as true.
enum SaveResult { SAVE_FAILED = 0, SAVE_COURSE_ONLY = 1, SAVE_DONE = 2 };

// What an editor's Save writes: the course m to name, then the 256
// attribute bytes to attr_name, each the safe way. A file that can't be
// written is named in the log ("Couldn't write file ..."). The attribute
// table is not tried after a failed course.
SaveResult course_save(const char *name, const Map &m, const unsigned char attr[256],
                       const char *attr_name);

// What an editor finds in a file before it loads it or saves over it.
enum CourseCheck {
  COURSE_OK,          // a header the format allows (the body is not checked)
  COURSE_UNREADABLE,  // can't be opened (missing, or no permission)
  COURSE_NOT_COURSE,  // too short for its header, or wider or higher than 256
};

// Looks at the header of the file name. For COURSE_NOT_COURSE, why (if not
// null) gets the reason in words, for example "it is 3 bytes long, too
// short for the 6-byte header" or "its header says 16973 tiles wide (most
// is 256)".
CourseCheck course_file_check(const char *name, std::string *why);

// What an editor's Save may do with the name it was given.
enum SaveTarget {
  SAVE_TARGET_NEW,      // no such file yet: write it
  SAVE_TARGET_SAME,     // the course being edited: write over it
  SAVE_TARGET_OTHER,    // another course: ask before writing over it
  SAVE_TARGET_REFUSED,  // the attribute file, or a file that is not a course
};

// Tells which, for a save under name while the editor holds current (its
// file name, maybe empty or not there). For SAVE_TARGET_REFUSED, why (if
// not null) gets the reason in words. A file that can't be read, or a
// folder, is refused too: nothing shows it is a course.
SaveTarget course_save_target(const char *name, const char *current, std::string *why);

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

// Clips the block of tiles from column l, row u to column r, row d (both
// included) to the course. False if nothing is left, as for a block given
// the wrong way round (which is then left that way).
bool course_clip(const Map &m, int &l, int &u, int &r, int &d);

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
