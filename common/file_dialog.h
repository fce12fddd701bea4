// file_dialog.h -- the editors' file selector
#ifndef FILE_DIALOG_H
#define FILE_DIALOG_H

// Allegro's file selector, shown at the picture's scale (desktop_dialog),
// for files with extension ext, on a scratch buffer
// large enough for any path it builds, starting from name; the choice is
// then fitted into name (size bytes, store_file_name). A choice that does
// not fit is shown with alert and not taken. Clicks made in the dialog are
// the dialog's: the click latch forgets them. True if a name was taken.
bool select_file_name(const char *title, const char *ext, char *name, int size,
                      void (*alert)(const char *line1, const char *line2));

#endif
