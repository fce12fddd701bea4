// pause.h -- a game held still: paused, or showing its keys screen
//
// Both games keep one hold state here. P or Pause pauses a game and resumes
// it; losing the input focus pauses it too, until P. The keys key (F1)
// shows the game's keys over the picture until any key is pressed, and
// holds the game meanwhile. While held, a game runs no logic, its clocks
// and music stand still.
//
// The state needs no display. What feeds it from Allegro (the keyboard
// buffer, the focus callback) and draws the "Paused" label is pause_hook.h
// (library common_allegro).
#ifndef PAUSE_H
#define PAUSE_H

enum Hold {
  HOLD_NONE,    // the game runs
  HOLD_PAUSED,  // paused by P, Pause or the window losing the focus
  HOLD_KEYS,    // showing the keys screen
};

// What can happen to the hold.
enum HoldEvent {
  HOLD_PAUSE_KEY,   // P or Pause pressed
  HOLD_KEYS_KEY,    // the keys key pressed
  HOLD_ESC_KEY,     // Esc pressed
  HOLD_OTHER_KEY,   // any other key pressed
  HOLD_FOCUS_LOST,  // the window lost the input focus
};

// Set by the display-switch callback when the window loses the focus (on
// Allegro's own thread, so it only sets this); hold_take_focus hands it on.
extern volatile int focus_lost;

// A game starts: not held, a focus lost or an Esc before it forgotten.
void hold_reset();

// The state now.
Hold hold_state();

// Applies one event; returns the new state. The keys screen goes on any
// key to what it was shown over (running or paused); a focus lost while it
// shows makes that a pause.
Hold hold_event(HoldEvent e);

// True once after Esc was pressed while the game was paused: the game then
// ends as on Esc. A paused game looks at its keys seldom, and a short press
// of Esc could come and go between two looks.
bool hold_take_esc();

// A focus lost since the last call becomes a HOLD_FOCUS_LOST event.
// Returns true if there was one.
bool hold_take_focus();

#endif
