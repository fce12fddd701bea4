// controls.cpp -- the keys and the pad that steer the player, wired to the
// keyboard ports, and the lines that show them
#include "controls.h"

#include "bm.h"
#include "game.h"  // the keyboard ports

std::vector<key_action> controls;

namespace {

// Where each action presses the machine's keyboard, and the pad input that
// presses it too.
struct action_wire {
  int port, mask, pad;
  const char *pad_label;
};
const action_wire WIRES[N_ACTIONS] = {
    {PORT_ARROWS, 0x10, BM_PAD_LEFT, "pad left"},
    {PORT_ARROWS, 0x80, BM_PAD_RIGHT, "pad right"},
    {PORT_ARROWS, 0x40, BM_PAD_UP, "pad up"},
    {PORT_ARROWS, 0x20, BM_PAD_DOWN, "pad down"},
    {PORT_CTRL, 0x40, BM_PAD_BUTTON0, "pad button 0"},
    {PORT_CTRL, 0x80, BM_PAD_BUTTON0 + 1, "pad button 1"},
};

// Keys the game reads for other things, and those the program keeps for
// pausing, the keys screen and the full screen.
const std::vector<kept_key> KEPT = {
    {KEY_ESC, "ends the game"},
    {KEY_ENTER, "makes the mums follow the keys"},
    {KEY_RSHIFT, "makes only the mums follow the keys"},
    {KEY_P, "pauses the game"},
    {KEY_PAUSE, "pauses the game"},
    {KEY_F1, "shows the keys"},
    {KEY_F11, "switches the full screen"},
};

// A line of keys_lines: what, in its column, then the keys.
std::string row(const std::string &what, const std::string &keys) {
  std::string s = what;
  s.resize(KEYS_COLUMN, ' ');
  return s + keys;
}

std::string with_pad(int a) { return key_labels(controls[a].keys) + ", " + WIRES[a].pad_label; }

}  // namespace

// controls_default
// X and Z sit side by side under the left hand on every keyboard, and the
// game reads them for nothing else.
void controls_default() {
  controls = {
      {"left", {KEY_LEFT}, 0},
      {"right", {KEY_RIGHT}, 0},
      {"up", {KEY_UP}, 0},
      {"down", {KEY_DOWN}, 0},
      {"jump", {KEY_RCONTROL, KEY_X}, 0},
      {"fire", {KEY_ALTGR, KEY_Z}, 0},
  };
}

// controls_init
void controls_init() {
  controls_default();
  read_keys_file_to_log(controls, KEPT);
  controls_wire();
}

// controls_wire
void controls_wire() {
  if (controls.size() != N_ACTIONS) controls_default();
  for (int a = 0; a < N_ACTIONS; a++) {
    const action_wire &w = WIRES[a];
    bmWire(w.port, w.mask, controls[a].keys.data(), (int)controls[a].keys.size(), w.pad);
  }
}

// keys_lines
// The actions as "keys.txt" names them, then the keys that do fixed things.
std::vector<std::string> keys_lines() {
  if (controls.size() != N_ACTIONS) controls_default();
  std::vector<std::string> lines;
  for (int a = 0; a < N_ACTIONS; a++) lines.push_back(row(controls[a].name, with_pad(a)));
  lines.push_back(row("door", key_labels(controls[ACT_UP].keys) + " at a door"));
  lines.push_back(row("quit", "Esc"));
  lines.push_back(row("mums too", "Enter (held)"));
  lines.push_back(row("only mums", "Right Shift (held)"));
  return lines;
}

// wrap_keys_line
std::vector<std::string> wrap_keys_line(const std::string &line, int width) {
  std::vector<std::string> out;
  std::string rest = line;
  const std::string indent(KEYS_COLUMN, ' ');
  if (width <= KEYS_COLUMN + 1) width = KEYS_COLUMN + 2;
  while ((int)rest.size() > width) {
    size_t cut = rest.rfind(", ", width - 1);
    if (cut == std::string::npos || (int)cut < KEYS_COLUMN) {
      out.push_back(rest.substr(0, width));
      rest = indent + rest.substr(width);
    } else {
      out.push_back(rest.substr(0, cut + 1));
      rest = indent + rest.substr(cut + 2);
    }
  }
  out.push_back(rest);
  return out;
}

// draw_keys_lines
// The text is drawn by Allegro into a memory bitmap of the picture's size
// and copied into the bit; lines that would run over the frame's bottom
// are left out.
void draw_keys_lines(bmp *picture, int mask) {
  int w = picture->w, h = picture->h;
  BITMAP *text = create_bitmap_ex(8, w > 0 ? w : 1, h > 0 ? h : 1);
  if (!text) return;
  clear_to_color(text, 0);
  int left = KEYS_FRAME + 5, bottom = h - KEYS_FRAME - 1;
  int width = (w - 2 * left) / 8, y = KEYS_TOP;
  for (const std::string &line : keys_lines())
    for (const std::string &piece : wrap_keys_line(line, width)) {
      if (y + 8 <= bottom) textout_ex(text, font, piece.c_str(), left, y, 1, -1);
      y += KEYS_LINE_HEIGHT;
    }
  for (int py = KEYS_TOP; py < bottom; py++)
    for (int px = KEYS_FRAME + 1; px < w - KEYS_FRAME - 1; px++) {
      unsigned char &p = picture->data[py * w + px];
      p = (unsigned char)((p & ~mask) | (text->line[py][px] ? mask : 0));
    }
  destroy_bitmap(text);
}
