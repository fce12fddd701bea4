// title.h -- the title picture of the main menu
#pragma once
#include "paint.h"

constexpr int TITLE_W = 640, TITLE_H = 200;

// The game's name in big shaded letters over a road scene, 640 x 200.
Image title_picture();
