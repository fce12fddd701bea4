// An installed program works in a folder of the player's own: filled from
// the install on the first start, kept up to date by later ones without
// ever writing over what the player changed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_name.h"
#include "player_folder.h"
#include "scratch.h"

namespace {

void put(const std::string &path, const std::string &text) {
  ASSERT_TRUE(spit(path, std::vector<unsigned char>(text.begin(), text.end()))) << path;
}

std::string text_of(const std::string &path) {
  std::vector<unsigned char> v = slurp(path);
  return std::string(v.begin(), v.end());
}

bool is_link(const std::string &path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool exists(const std::string &path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string target_of(const std::string &path) {
  for (size_t size = 256;; size *= 2) {
    std::string buf(size, '\0');
    ssize_t n = readlink(path.c_str(), &buf[0], size);
    if (n < 0) return "";
    if ((size_t)n < size) return buf.substr(0, (size_t)n);
  }
}

// Whether some note holds every one of the words.
bool noted(const std::vector<std::string> &notes, const std::vector<std::string> &words) {
  return std::any_of(notes.begin(), notes.end(), [&](const std::string &n) {
    return std::all_of(words.begin(), words.end(),
                       [&](const std::string &w) { return n.find(w) != std::string::npos; });
  });
}

std::string joined(const std::vector<std::string> &notes) {
  std::string s;
  for (const std::string &n : notes) s += n + "\n";
  return s;
}

// An install folder as the build lays one out: courses, a large datafile,
// the patches folder, the program itself and the install's mark.
struct Install {
  Scratch dir;
  Install() {
    put(dir.path("m01.map"), "course one");
    put(dir.path("tileattr.wz"), "attributes");
    put(dir.path("data.dat"), std::string(LINK_SIZE + 1, 'd'));
    EXPECT_EQ(mkdir(dir.path("patches").c_str(), 0755), 0);
    put(dir.path("patches/default.cfg"), "patches");
    put(dir.path("topdown"), "program");
    chmod(dir.path("topdown").c_str(), 0755);
    put(dir.path(INSTALLED_MARK), "installed");
    put(dir.path("report.txt"), "someone's log");
  }
};

// A player's folder (topdown's unless named) under a scratch home, and an
// install to fill it from. start() updates the folder as a start of the
// program does; notes then holds that start's notes only.
struct Player {
  Install in;
  Scratch home;
  std::string me;
  std::vector<std::string> notes;
  std::string why;
  explicit Player(const std::string &folder = "topdown") : me(home.path(folder)) {}
  bool start(const Install &from) {
    notes.clear();
    return update_player_folder(from.dir.dir, me, notes, why);
  }
  bool start() { return start(in); }
};

TEST(PlayerFolder, WhereTheFolderLies) {
  EXPECT_EQ(player_folder_path("topdown", "/data", "/home/p"), "/data/tilegames/topdown");
  EXPECT_EQ(player_folder_path("topdown", "/data/", "/home/p"), "/data/tilegames/topdown");
  // Unset, empty or relative: the default under the home folder.
  EXPECT_EQ(player_folder_path("sideview", nullptr, "/home/p"),
            "/home/p/.local/share/tilegames/sideview");
  EXPECT_EQ(player_folder_path("sideview", "", "/home/p"),
            "/home/p/.local/share/tilegames/sideview");
  EXPECT_EQ(player_folder_path("sideview", "rel/data", "/home/p"),
            "/home/p/.local/share/tilegames/sideview");
  EXPECT_EQ(player_folder_path("topdown", "/", nullptr), "/tilegames/topdown");
  EXPECT_EQ(player_folder_path("topdown", nullptr, nullptr), "");
  EXPECT_EQ(player_folder_path("topdown", "x", "relative"), "");
  // No fixed buffer: a home thousands of characters long.
  std::string deep = "/" + std::string(3000, 'h');
  EXPECT_EQ(player_folder_path("t", nullptr, deep.c_str()), deep + "/.local/share/tilegames/t");
}

TEST(PlayerFolder, NamesBesideAChangedFile) {
  EXPECT_EQ(from_install_name("m01.map"), "m01.from-install.map");
  EXPECT_EQ(from_install_name("tileattr.wz"), "tileattr.from-install.wz");
  EXPECT_EQ(from_install_name("hops.txt"), "hops.from-install.txt");
  EXPECT_EQ(from_install_name("notes"), "notes.from-install");
}

TEST(PlayerFolder, AnInstallIsMarkedOrReadOnly) {
  Scratch own;
  EXPECT_FALSE(is_install_folder(own.dir));  // a run folder of the build
  put(own.path(INSTALLED_MARK), "");
  EXPECT_TRUE(is_install_folder(own.dir));
  Scratch locked;
  chmod(locked.dir.c_str(), 0555);
  if (getuid() != 0) {  // root writes anyway
    EXPECT_TRUE(is_install_folder(locked.dir));
  }
  chmod(locked.dir.c_str(), 0755);
}

TEST(PlayerFolder, FirstStartCopiesSmallFilesAndLinksTheRest) {
  Player p("deep/er/topdown");  // parents made too
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_EQ(text_of(p.me + "/m01.map"), "course one");
  EXPECT_FALSE(is_link(p.me + "/m01.map"));
  EXPECT_EQ(text_of(p.me + "/tileattr.wz"), "attributes");
  EXPECT_TRUE(is_link(p.me + "/data.dat"));
  EXPECT_EQ(target_of(p.me + "/data.dat"), p.in.dir.path("data.dat"));
  EXPECT_TRUE(is_link(p.me + "/patches"));
  EXPECT_EQ(text_of(p.me + "/patches/default.cfg"), "patches");
  // Not the program, the mark, nor another player's log.
  EXPECT_FALSE(exists(p.me + "/topdown"));
  EXPECT_FALSE(exists(p.me + "/" + INSTALLED_MARK));
  EXPECT_FALSE(exists(p.me + "/report.txt"));
  EXPECT_TRUE(noted(p.notes, {"Copied 2 file(s)", p.in.dir.dir})) << joined(p.notes);
  std::string record = text_of(p.me + "/" + INSTALL_RECORD);
  EXPECT_NE(record.find(" m01.map\n"), std::string::npos) << record;
  EXPECT_NE(record.find(" tileattr.wz\n"), std::string::npos) << record;

  // A second start with nothing new says nothing and changes nothing.
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_TRUE(p.notes.empty()) << joined(p.notes);
  EXPECT_EQ(text_of(p.me + "/" + INSTALL_RECORD), record);
}

TEST(PlayerFolder, ANewerInstallNeverWritesOverThePlayersChanges) {
  Player p;
  ASSERT_TRUE(p.start()) << p.why;
  put(p.me + "/m01.map", "the player's course");
  put(p.me + "/times.txt", "records");  // the program's own files stay as they are
  // The new install changes both the course and the attributes and brings
  // a course the player has made one of the same name of.
  put(p.in.dir.path("m01.map"), "course one, new");
  put(p.in.dir.path("tileattr.wz"), "attributes, new");
  put(p.me + "/m07.map", "the player's new course");
  put(p.in.dir.path("m07.map"), "course seven");
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_EQ(text_of(p.me + "/tileattr.wz"), "attributes, new");  // untouched by the player
  EXPECT_EQ(text_of(p.me + "/m01.map"), "the player's course");
  EXPECT_EQ(text_of(p.me + "/m01.from-install.map"), "course one, new");
  EXPECT_EQ(text_of(p.me + "/m07.map"), "the player's new course");
  EXPECT_EQ(text_of(p.me + "/m07.from-install.map"), "course seven");
  EXPECT_EQ(text_of(p.me + "/times.txt"), "records");
  EXPECT_TRUE(noted(p.notes, {"Kept \"m01.map\"", "m01.from-install.map"})) << joined(p.notes);
  EXPECT_TRUE(noted(p.notes, {"Kept \"m07.map\""})) << joined(p.notes);
  EXPECT_TRUE(noted(p.notes, {"Took 1 newer file(s)"})) << joined(p.notes);

  // Every start says so again, until the two agree.
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_TRUE(noted(p.notes, {"Kept \"m01.map\""})) << joined(p.notes);
  put(p.me + "/m01.map", "course one, new");
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_FALSE(exists(p.me + "/m01.from-install.map"));
  EXPECT_FALSE(noted(p.notes, {"m01.map"})) << joined(p.notes);
  // From then on the course follows the install again.
  put(p.in.dir.path("m01.map"), "course one, newer");
  ASSERT_TRUE(p.start()) << p.why;
  EXPECT_EQ(text_of(p.me + "/m01.map"), "course one, newer");
}

TEST(PlayerFolder, LinksFollowTheInstallThatRuns) {
  Player p;  // p.in is the old install
  Install new_install;
  ASSERT_TRUE(p.start()) << p.why;
  ASSERT_TRUE(p.start(new_install)) << p.why;
  EXPECT_EQ(target_of(p.me + "/data.dat"), new_install.dir.path("data.dat"));
  EXPECT_EQ(target_of(p.me + "/patches"), new_install.dir.path("patches"));
  // A datafile of the player's own in place of the link is theirs.
  unlink((p.me + "/data.dat").c_str());
  put(p.me + "/data.dat", "mine");
  ASSERT_TRUE(p.start(new_install)) << p.why;
  EXPECT_EQ(text_of(p.me + "/data.dat"), "mine");
  EXPECT_TRUE(noted(p.notes, {"player's own \"data.dat\""})) << joined(p.notes);
  // A file that grew small is copied in place of its link.
  put(new_install.dir.path("data.dat"), "small now");
  unlink((p.me + "/data.dat").c_str());
  ASSERT_EQ(symlink(new_install.dir.path("data.dat").c_str(), (p.me + "/data.dat").c_str()), 0);
  ASSERT_TRUE(p.start(new_install)) << p.why;
  EXPECT_FALSE(is_link(p.me + "/data.dat"));
  EXPECT_EQ(text_of(p.me + "/data.dat"), "small now");
}

TEST(PlayerFolder, ADamagedRecordCountsEveryDifferenceAsThePlayers) {
  const std::vector<std::string> records = {
      std::string("\0\0\xff garbage", 11),
      "0123456789abcdef",                       // no name, no line end
      "0123456789abcdef ../m01.map\n",          // not a plain name
      "zzzzzzzzzzzzzzzz m01.map\n",             // not a hash
      std::string(2 * 1024 * 1024, '0'),        // far too large
  };
  for (const std::string &record : records) {
    Player p;
    ASSERT_TRUE(p.start()) << p.why;
    put(p.me + "/" + INSTALL_RECORD, record);
    put(p.in.dir.path("m01.map"), "course one, new");
    ASSERT_TRUE(p.start()) << p.why;
    EXPECT_EQ(text_of(p.me + "/m01.map"), "course one");  // can't tell: kept
    EXPECT_EQ(text_of(p.me + "/m01.from-install.map"), "course one, new");
  }
}

TEST(PlayerFolder, FailuresSayWhy) {
  Install in;
  Scratch home;
  std::vector<std::string> notes;
  std::string why;
  EXPECT_FALSE(update_player_folder(home.path("no-such-install"), home.path("p"), notes, why));
  EXPECT_NE(why.find("no-such-install"), std::string::npos) << why;
  put(home.path("file"), "a file where a folder should be");
  why.clear();
  EXPECT_FALSE(update_player_folder(in.dir.dir, home.path("file/topdown"), notes, why));
  EXPECT_NE(why.find("file/topdown"), std::string::npos) << why;
}

TEST(PlayerFolder, EntersThePlayersFolderOnlyForAnInstall) {
  Install in;
  Scratch home, here(true);
  setenv("XDG_DATA_HOME", home.dir.c_str(), 1);
  std::vector<std::string> notes;
  std::string why;
  Scratch run_folder;  // the build's: worked in where it is
  EXPECT_EQ(enter_player_folder(run_folder.dir, notes, why), "");
  EXPECT_TRUE(notes.empty() && why.empty());
  EXPECT_EQ(working_folder(), here.dir);

  std::string me = enter_player_folder(in.dir.dir, notes, why);
  std::string name = in.dir.dir.substr(in.dir.dir.rfind('/') + 1);
  EXPECT_EQ(me, home.dir + "/tilegames/" + name) << why;
  EXPECT_EQ(working_folder(), me);
  EXPECT_TRUE(noted(notes, {"Running in \"" + me + "\"", in.dir.dir})) << joined(notes);
  EXPECT_EQ(text_of("m01.map"), "course one");

  // With nowhere to make it the program is told why and stays.
  EXPECT_EQ(chdir(here.dir.c_str()), 0);
  put(home.path("blocked"), "");
  setenv("XDG_DATA_HOME", home.path("blocked").c_str(), 1);
  notes.clear();
  EXPECT_EQ(enter_player_folder(in.dir.dir, notes, why), "");
  EXPECT_NE(why.find("blocked"), std::string::npos) << why;
  EXPECT_EQ(working_folder(), here.dir);
  unsetenv("XDG_DATA_HOME");
}

}  // namespace
