// "keys.txt": good lines give actions their keys, every bad line is noted
// with its number and skipped while the rest counts, and the key-name table
// answers both ways for every key Allegro has.
#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "keys_file.h"
#include "scratch.h"

namespace {

const std::vector<kept_key> KEPT = {{KEY_ESC, "ends the game"}, {KEY_P, "pauses the game"}};

// Two groups: a player's jump and fire, and someone else's wave.
std::vector<key_action> actions() {
  return {{"jump", {KEY_RCONTROL}, 0}, {"fire", {KEY_ALTGR}, 0}, {"p2.wave", {KEY_W}, 1}};
}

struct Read {
  std::vector<key_action> a = actions();
  std::vector<std::string> notes;
  explicit Read(const std::string &text) { read_keys_text(text, "keys.txt", a, KEPT, notes); }
};

TEST(KeysFile, GoodLinesGiveTheirActionsKeysAndTheOthersKeepTheirs) {
  Read r("# laptop keys\n"
         "\n"
         "  jump = KEY_X KEY_SPACE   # either one\n"
         "P2.WAVE=key_q,KEY_E\r\n"
         "jump_not = \n"  // a bad line in between changes nothing else
         "\t\n");
  EXPECT_EQ(r.a[0].keys, (std::vector<int>{KEY_X, KEY_SPACE}));
  EXPECT_EQ(r.a[1].keys, std::vector<int>{KEY_ALTGR});
  EXPECT_EQ(r.a[2].keys, (std::vector<int>{KEY_Q, KEY_E}));
  ASSERT_EQ(r.notes.size(), 1u);
  EXPECT_EQ(r.notes[0], "keys.txt line 5: unknown action \"jump_not\"; line skipped");

  Read same("fire = KEY_Z KEY_Z, KEY_Z");  // no line end; a key given again counts once
  EXPECT_EQ(same.a[1].keys, std::vector<int>{KEY_Z});
  EXPECT_TRUE(same.notes.empty());
}

TEST(KeysFile, EachBadLineIsNotedWithItsNumberAndSkipped) {
  Read r("jump KEY_X\n"
         "= KEY_X\n"
         "dance = KEY_X\n"
         "jump = KEY_X KEY_NOPE\n"
         "jump = X\n"
         "fire =   # nothing\n"
         "fire = KEY_P\n"
         "fire = KEY_A KEY_B KEY_C KEY_D KEY_E KEY_F KEY_G KEY_H KEY_I\n"
         "fire = KEY_Z\n"
         "fire = KEY_C\n"
         "jump = KEY_\x01\xff\n");
  std::vector<std::string> want = {
      "keys.txt line 1: \"jump KEY_X\" is not ACTION = KEY_NAME ...; line skipped",
      "keys.txt line 2: no action before \"=\"; line skipped",
      "keys.txt line 3: unknown action \"dance\"; line skipped",
      "keys.txt line 4: unknown key \"KEY_NOPE\"; line skipped",
      "keys.txt line 5: unknown key \"X\"; line skipped",
      "keys.txt line 6: no keys for \"fire\"; line skipped",
      "keys.txt line 7: KEY_P is kept: it pauses the game; line skipped",
      "keys.txt line 8: more than 8 keys for \"fire\"; line skipped",
      "keys.txt line 10: \"fire\" already has its keys from line 9; line skipped",
      "keys.txt line 11: unknown key \"KEY_??\"; line skipped",
  };
  EXPECT_EQ(r.notes, want);
  // Only line 9 counted; the jump line with one bad key gave none of its keys.
  EXPECT_EQ(r.a[0].keys, std::vector<int>{KEY_RCONTROL});
  EXPECT_EQ(r.a[1].keys, std::vector<int>{KEY_Z});
}

TEST(KeysFile, AnEmptyFileOrOneOfCommentsChangesNothing) {
  for (const char *text : {"", "\n\n", "# nothing here\n   # nor here", "\r\n"}) {
    Read r(text);
    EXPECT_TRUE(r.notes.empty()) << text;
    for (size_t i = 0; i < r.a.size(); i++) EXPECT_EQ(r.a[i].keys, actions()[i].keys) << text;
  }
}

TEST(KeysFile, AKeyOfTwoActionsOfOneGroupIsNotedButKept) {
  Read r("jump = KEY_Z KEY_X\nfire = KEY_Z\np2.wave = KEY_X\n");
  ASSERT_EQ(r.notes.size(), 1u);
  EXPECT_EQ(r.notes[0], "keys.txt: KEY_Z is both \"jump\" and \"fire\"");
  EXPECT_EQ(r.a[1].keys, std::vector<int>{KEY_Z});
  // A usual key taken by another action counts too.
  Read usual("fire = KEY_RCONTROL\n");
  ASSERT_EQ(usual.notes.size(), 1u);
  EXPECT_EQ(usual.notes[0], "keys.txt: KEY_RCONTROL is both \"jump\" and \"fire\"");
}

TEST(KeysFile, ManyBadLinesGiveAFewNotesAndACount) {
  std::string text;
  for (int i = 0; i < KEYS_NOTES_MAX + 15; i++) text += "nonsense\n";
  Read r(text + "jump = KEY_J\n");
  ASSERT_EQ(r.notes.size(), (size_t)KEYS_NOTES_MAX + 1);
  EXPECT_EQ(r.notes.back(), "keys.txt: 15 more lines can't be read");
  EXPECT_EQ(r.a[0].keys, std::vector<int>{KEY_J});
}

TEST(KeysFile, TheFileIsOptionalAndOnlyItsStartIsRead) {
  Scratch s(true);
  std::vector<key_action> a = actions();
  std::vector<std::string> notes;
  EXPECT_FALSE(read_keys_file(KEYS_FILE, a, KEPT, notes));
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(a[0].keys, std::vector<int>{KEY_RCONTROL});

  std::string text = "fire = KEY_F\n";
  while (text.size() < KEYS_FILE_MAX - 5) text += "# padding padding padding padding\n";
  text += "jump = KEY_J\n";  // cut short by the limit: not read
  ASSERT_TRUE(spit(KEYS_FILE, std::vector<unsigned char>(text.begin(), text.end())));
  EXPECT_TRUE(read_keys_file(KEYS_FILE, a, KEPT, notes));
  EXPECT_EQ(a[1].keys, std::vector<int>{KEY_F});
  EXPECT_EQ(a[0].keys, std::vector<int>{KEY_RCONTROL});
  EXPECT_EQ(notes, std::vector<std::string>{"keys.txt: only the first 65536 bytes are read"});
}

TEST(KeyNames, EveryKeyHasOneNameThatReadsBackAndALabel) {
  std::set<std::string> names;
  for (int k = 1; k < KEY_MAX; k++) {
    std::string name = key_name(k);
    ASSERT_EQ(name.compare(0, 4, "KEY_"), 0) << k;
    EXPECT_TRUE(names.insert(name).second) << name << " twice";
    EXPECT_EQ(key_code(name), k) << name;
    EXPECT_STRNE(key_label(k), "") << name;
  }
  EXPECT_EQ(key_code("KEY_RCONTROL"), KEY_RCONTROL);
  EXPECT_EQ(key_code("key_altgr"), KEY_ALTGR);
  EXPECT_EQ(key_code("KEY_X "), 0);
  EXPECT_EQ(key_code(std::string("KEY_X\0Y", 7)), 0);
  EXPECT_EQ(key_code("RCONTROL"), 0);
  EXPECT_STREQ(key_name(0), "");
  EXPECT_STREQ(key_name(KEY_MAX), "");
  EXPECT_EQ(key_labels({KEY_RCONTROL, KEY_X, KEY_SPACE}), "Right Ctrl, X, Space");
  EXPECT_EQ(key_labels({}), "");
}

}  // namespace
