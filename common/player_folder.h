// player_folder.h -- the player's own folder beside an installed program
//
// An installed program's folder is shared by every player of the machine,
// often can't be written, and is replaced by the next install. So a
// program whose files lie in such a folder works in a folder of the
// player's own instead: $XDG_DATA_HOME/tilegames/NAME (by default
// ~/.local/share/tilegames/NAME), NAME being the install folder's name
// ("topdown", "sideview": sideview_edit shares the game's). There the
// courses and levels an editor saves, "tileattr.wz", "times.txt",
// "keys.txt", replays and the log "report.txt" are the player's.
//
// The player's folder holds a copy of each small file of the install and a
// link to each large one (data.dat) and to each folder (patches), so the
// programs still open every file by its plain name. A later start brings
// it up to date with a newer install, by the rule the build follows for
// run folders: a copy the player changed is never written over; the
// install's new version is put beside it as NAME.from-install.EXT and the
// log says so. "install-record.txt" there remembers what was last copied.
#ifndef PLAYER_FOLDER_H
#define PLAYER_FOLDER_H

#include <string>
#include <vector>

// The file an install puts into each program's folder to mark it as one.
extern const char *const INSTALLED_MARK;
// The player's folder's record of the files copied into it.
extern const char *const INSTALL_RECORD;
// Files of the install larger than this are linked rather than copied.
extern const long LINK_SIZE;

// True if the data folder is an install's: it holds "installed.txt", or it
// can't be written.
bool is_install_folder(const std::string &data);

// The player's folder for the install folder named name:
// XDG_DATA_HOME/tilegames/name when xdg_data_home is an absolute path,
// else home/.local/share/tilegames/name; "" when home is unknown too.
std::string player_folder_path(const std::string &name, const char *xdg_data_home,
                               const char *home);

// The name NAME.from-install.EXT beside which a player's changed file is
// kept ("m01.from-install.map"; "notes.from-install" without an extension).
std::string from_install_name(const std::string &name);

// Makes the player's folder (and its parents) if needed and brings it up
// to date with the install folder: copies new and unchanged files, links
// large files and folders, keeps the player's changes. Each thing worth
// telling the player is added to notes as a line for the log. False, with
// the reason in why, if the folder can't be made or the install can't be
// read; a single file that can't be copied is a note, not a failure.
bool update_player_folder(const std::string &install, const std::string &player,
                          std::vector<std::string> &notes, std::string &why);

// The step of start-up after the program has found its folder: when that
// folder is an install's, makes the player's folder up to date and changes
// into it. Returns the folder the program now works in ("" if it stays);
// notes get the lines for the log; why the reason when the player's folder
// couldn't be used (the program then stays where it was).
std::string enter_player_folder(const std::string &data, std::vector<std::string> &notes,
                                std::string &why);

#endif
