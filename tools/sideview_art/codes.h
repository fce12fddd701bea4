// codes.h -- colour codes as the machine shows them, and the code to store
// for a wanted colour
//
// The pictures of sideview hold colour codes. The machine shows code c in
// the colour of code (c + 10) mod 256 of its YCbCr formula, so a picture is
// designed in the colours shown and each colour is stored as the code whose
// shown colour is nearest.
#pragma once
#include <string>

#include "picture.h"

// The colour (0..255 a component) the machine shows for code c, as Allegro
// scales its 0..63 palette values on a true-colour display.
Rgb shown_colour(int code);

// shown_colour of every code: the palette of the pictures the tool writes,
// so that any image viewer shows them as the machine does.
const Rgb *shown_palette();

// The code whose shown colour is nearest to c. Never 0: code 0 is the
// transparent pixel of sprites, so it is only ever stored on purpose.
int nearest_code(Rgb c);

// A colour written "#rrggbb"; stops the tool on anything else.
Rgb parse_hex(const std::string &s, const std::string &where);

// nearest_code of a "#rrggbb" colour.
int code_of(const char *hex);
