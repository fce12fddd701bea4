// sprites.h -- the pictures of characters: walkers, vehicles, items, shots
//
// Every turned picture faces up the screen (its front at the top): the game
// turns it to the heading. Cars and boats are drawn with the driver's seat
// on the left; the game mirrors them for right-hand seats.
#pragma once
#include "paint.h"

Image sprite_walker(int step);  // step 0 resting, +1 / -1 a foot forward
Image sprite_walker_riding();
Image sprite_car();
Image sprite_boat();
Image sprite_bike(bool ridden);
Image sprite_whirl();
Image sprite_shot_au();
Image sprite_shot_usa();
Image sprite_item_boost();
Image sprite_item_slowing();
Image sprite_item_access();

// Picture sizes of the car and the boat.
constexpr int CAR_W = 28, CAR_H = 44, BOAT_W = 24, BOAT_H = 40;
