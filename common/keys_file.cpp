// keys_file.cpp -- "keys.txt" and the names of Allegro's keys
#include "keys_file.h"

#include <allegro.h>
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "log.h"

const char KEYS_FILE[] = "keys.txt";

namespace {

struct key_entry {
  int code;
  const char *name;
  const char *label;
};

#define K(id, label) {KEY_##id, "KEY_" #id, label}

// Every key Allegro 4 names, with the name a player knows it by.
const key_entry KEY_TABLE[] = {
    K(A, "A"), K(B, "B"), K(C, "C"), K(D, "D"), K(E, "E"), K(F, "F"), K(G, "G"),
    K(H, "H"), K(I, "I"), K(J, "J"), K(K, "K"), K(L, "L"), K(M, "M"), K(N, "N"),
    K(O, "O"), K(P, "P"), K(Q, "Q"), K(R, "R"), K(S, "S"), K(T, "T"), K(U, "U"),
    K(V, "V"), K(W, "W"), K(X, "X"), K(Y, "Y"), K(Z, "Z"),
    K(0, "0"), K(1, "1"), K(2, "2"), K(3, "3"), K(4, "4"),
    K(5, "5"), K(6, "6"), K(7, "7"), K(8, "8"), K(9, "9"),
    K(0_PAD, "Pad 0"), K(1_PAD, "Pad 1"), K(2_PAD, "Pad 2"), K(3_PAD, "Pad 3"),
    K(4_PAD, "Pad 4"), K(5_PAD, "Pad 5"), K(6_PAD, "Pad 6"), K(7_PAD, "Pad 7"),
    K(8_PAD, "Pad 8"), K(9_PAD, "Pad 9"),
    K(F1, "F1"), K(F2, "F2"), K(F3, "F3"), K(F4, "F4"), K(F5, "F5"), K(F6, "F6"),
    K(F7, "F7"), K(F8, "F8"), K(F9, "F9"), K(F10, "F10"), K(F11, "F11"), K(F12, "F12"),
    K(ESC, "Esc"), K(TILDE, "`"), K(MINUS, "-"), K(EQUALS, "="),
    K(BACKSPACE, "Backspace"), K(TAB, "Tab"), K(OPENBRACE, "["), K(CLOSEBRACE, "]"),
    K(ENTER, "Enter"), K(COLON, ";"), K(QUOTE, "'"), K(BACKSLASH, "\\"),
    K(BACKSLASH2, "\\ (second)"), K(COMMA, ","), K(STOP, "."), K(SLASH, "/"),
    K(SPACE, "Space"), K(INSERT, "Insert"), K(DEL, "Delete"), K(HOME, "Home"),
    K(END, "End"), K(PGUP, "Page Up"), K(PGDN, "Page Down"),
    K(LEFT, "Left"), K(RIGHT, "Right"), K(UP, "Up"), K(DOWN, "Down"),
    K(SLASH_PAD, "Pad /"), K(ASTERISK, "Pad *"), K(MINUS_PAD, "Pad -"),
    K(PLUS_PAD, "Pad +"), K(DEL_PAD, "Pad ."), K(ENTER_PAD, "Pad Enter"),
    K(PRTSCR, "Print Screen"), K(PAUSE, "Pause"), K(ABNT_C1, "ABNT C1"), K(YEN, "Yen"),
    K(KANA, "Kana"), K(CONVERT, "Convert"), K(NOCONVERT, "No Convert"), K(AT, "@"),
    K(CIRCUMFLEX, "^"), K(COLON2, ": (second)"), K(KANJI, "Kanji"),
    K(EQUALS_PAD, "Pad ="), K(BACKQUOTE, "`"), K(SEMICOLON, ";"), K(COMMAND, "Command"),
    K(UNKNOWN1, "Unknown 1"), K(UNKNOWN2, "Unknown 2"), K(UNKNOWN3, "Unknown 3"),
    K(UNKNOWN4, "Unknown 4"), K(UNKNOWN5, "Unknown 5"), K(UNKNOWN6, "Unknown 6"),
    K(UNKNOWN7, "Unknown 7"), K(UNKNOWN8, "Unknown 8"),
    K(LSHIFT, "Left Shift"), K(RSHIFT, "Right Shift"), K(LCONTROL, "Left Ctrl"),
    K(RCONTROL, "Right Ctrl"), K(ALT, "Alt"), K(ALTGR, "AltGr"), K(LWIN, "Left Win"),
    K(RWIN, "Right Win"), K(MENU, "Menu"), K(SCRLOCK, "Scroll Lock"),
    K(NUMLOCK, "Num Lock"), K(CAPSLOCK, "Caps Lock"),
};

#undef K

const key_entry *entry_of(int code) {
  for (const key_entry &e : KEY_TABLE)
    if (e.code == code) return &e;
  return nullptr;
}

// The two names are the same but for case.
bool same_words(const std::string &a, const char *b) {
  return a.size() == strlen(b) && strcasecmp(a.c_str(), b) == 0;
}

// Text from the file as it may go into the log: at most 40 characters,
// anything unprintable shown as "?".
std::string shown(const std::string &s) {
  std::string out;
  for (size_t i = 0; i < s.size() && i < 40; i++)
    out += isprint((unsigned char)s[i]) ? s[i] : '?';
  if (s.size() > 40) out += "...";
  return out;
}

std::string trimmed(const std::string &s) {
  size_t a = 0, b = s.size();
  while (a < b && isspace((unsigned char)s[a])) a++;
  while (b > a && isspace((unsigned char)s[b - 1])) b--;
  return s.substr(a, b - a);
}

// The words of s, parted by white space or commas.
std::vector<std::string> words(const std::string &s) {
  std::vector<std::string> out;
  std::string w;
  for (char c : s) {
    if (isspace((unsigned char)c) || c == ',') {
      if (!w.empty()) out.push_back(w);
      w.clear();
    } else {
      w += c;
    }
  }
  if (!w.empty()) out.push_back(w);
  return out;
}

// What reading one file has found so far.
struct keys_reading {
  const char *source;
  std::vector<key_action> &actions;
  const std::vector<kept_key> &kept;
  std::vector<std::string> &notes;
  std::vector<int> set_on;   // per action: the line that gave its keys, 0 = none
  int bad_lines = 0;         // lines that can't be read

  // A note on line n, while there is room for one.
  void bad(int n, const std::string &why) {
    if (++bad_lines <= KEYS_NOTES_MAX)
      notes.push_back(std::string(source) + " line " + std::to_string(n) + ": " + why + "; line skipped");
  }

  // One line: "ACTION = KEY ...", blank or a comment.
  void line(std::string text, int n) {
    size_t hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    text = trimmed(text);
    if (text.empty()) return;
    size_t eq = text.find('=');
    if (eq == std::string::npos) {
      bad(n, "\"" + shown(text) + "\" is not ACTION = KEY_NAME ...");
      return;
    }
    std::string name = trimmed(text.substr(0, eq));
    int a = -1;
    for (size_t i = 0; i < actions.size(); i++)
      if (same_words(name, actions[i].name)) a = (int)i;
    if (name.empty()) {
      bad(n, "no action before \"=\"");
      return;
    }
    if (a < 0) {
      bad(n, "unknown action \"" + shown(name) + "\"");
      return;
    }
    std::vector<int> keys;
    for (const std::string &w : words(text.substr(eq + 1))) {
      int k = key_code(w);
      if (!k) {
        bad(n, "unknown key \"" + shown(w) + "\"");
        return;
      }
      for (const kept_key &c : kept)
        if (c.key == k) {
          bad(n, std::string(key_name(k)) + " is kept: it " + c.use);
          return;
        }
      bool again = false;
      for (int h : keys) again = again || h == k;
      if (!again) keys.push_back(k);
    }
    if (keys.empty()) {
      bad(n, "no keys for \"" + std::string(actions[a].name) + "\"");
      return;
    }
    if (keys.size() > KEYS_PER_ACTION) {
      bad(n, "more than " + std::to_string(KEYS_PER_ACTION) + " keys for \"" + actions[a].name + "\"");
      return;
    }
    if (set_on[a]) {
      bad(n, "\"" + std::string(actions[a].name) + "\" already has its keys from line " +
                 std::to_string(set_on[a]));
      return;
    }
    set_on[a] = n;
    actions[a].keys = keys;
  }

  // After the last line: how many notes were left out, and keys that two
  // actions of a group share where the file had a hand in it.
  void finish() {
    if (bad_lines > KEYS_NOTES_MAX)
      notes.push_back(std::string(source) + ": " + std::to_string(bad_lines - KEYS_NOTES_MAX) +
                      " more lines can't be read");
    for (size_t a = 0; a < actions.size(); a++)
      for (size_t b = a + 1; b < actions.size(); b++) {
        if (actions[a].group != actions[b].group || (!set_on[a] && !set_on[b])) continue;
        for (int k : actions[a].keys)
          for (int h : actions[b].keys)
            if (k == h)
              notes.push_back(std::string(source) + ": " + key_name(k) + " is both \"" +
                              actions[a].name + "\" and \"" + actions[b].name + "\"");
      }
  }
};

}  // namespace

int key_code(const std::string &name) {
  for (const key_entry &e : KEY_TABLE)
    if (same_words(name, e.name)) return e.code;
  return 0;
}

const char *key_name(int code) {
  const key_entry *e = entry_of(code);
  return e ? e->name : "";
}

const char *key_label(int code) {
  const key_entry *e = entry_of(code);
  return e ? e->label : "";
}

std::string key_labels(const std::vector<int> &keys) {
  std::string s;
  for (int k : keys) {
    if (!s.empty()) s += ", ";
    s += key_label(k);
  }
  return s;
}

// read_keys_text
// Lines end at "\n" (a "\r" before it is white space); the last needs none.
void read_keys_text(const std::string &text, const char *source, std::vector<key_action> &actions,
                    const std::vector<kept_key> &kept, std::vector<std::string> &notes) {
  keys_reading r{source, actions, kept, notes, std::vector<int>(actions.size(), 0)};
  size_t start = 0;
  for (int n = 1; start < text.size(); n++) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    r.line(text.substr(start, end - start), n);
    start = end + 1;
  }
  r.finish();
}

// read_keys_file
bool read_keys_file(const char *name, std::vector<key_action> &actions,
                    const std::vector<kept_key> &kept, std::vector<std::string> &notes) {
  FILE *f = fopen(name, "rb");
  if (!f) return false;
  std::string text(KEYS_FILE_MAX, '\0');
  size_t got = fread(&text[0], 1, text.size(), f);
  bool more = got == text.size() && getc(f) != EOF;
  fclose(f);
  text.resize(got);
  if (more) {
    // The last line may be cut short: it is not read.
    size_t last = text.rfind('\n');
    text.resize(last == std::string::npos ? 0 : last + 1);
    notes.push_back(std::string(name) + ": only the first " + std::to_string(KEYS_FILE_MAX) +
                    " bytes are read");
  }
  read_keys_text(text, name, actions, kept, notes);
  return true;
}

// read_keys_file_to_log
void read_keys_file_to_log(std::vector<key_action> &actions, const std::vector<kept_key> &kept) {
  std::vector<std::string> notes;
  read_keys_file(KEYS_FILE, actions, kept, notes);
  for (const std::string &n : notes)
    if (fr) fprintf(fr, "%s\n", n.c_str());
}
