// tile_paint.h -- what the tile drawings share: the palette, the four
// backgrounds and small drawing helpers; tiles.cpp draws what is walked on,
// climbed or hurts, scenery.cpp what only decorates
#pragma once
#include <vector>

#include "codes.h"
#include "noise.h"
#include "picture.h"
#include "tiles.h"

namespace tileart {

// The tile palette, in the colours the machine shows: change one here to
// recolour every tile that uses it.
namespace ink {
inline const int black = 0;
inline const int void_dot = code_of("#0c0c0c");
// castle: grey stone
inline const int back_mortar = code_of("#0c0c0c"), back_face = code_of("#1c1c1c"),
                 back_light = code_of("#2c2c2c");
inline const int stone_mortar = code_of("#2c2c2c"), stone_dark = code_of("#4d4d4d"),
                 stone_face = code_of("#7d7d7d"), stone_face2 = code_of("#6d6d6d"),
                 stone_light = code_of("#aeaeae"), stone_shine = code_of("#cfcfcf");
inline const int brick_mortar = code_of("#3c3c3c"), brick_dark = code_of("#750800"),
                 brick_face = code_of("#862c00"), brick_light = code_of("#a63400");
// wood
inline const int wood_dark = code_of("#691000"), wood = code_of("#862c00"),
                 wood_mid = code_of("#963c00"),
                 wood_light = code_of("#b65d00"), wood_shine = code_of("#c76d00");
inline const int iron = code_of("#3c3c3c"), iron_light = code_of("#6d6d6d");
inline const int gold = code_of("#ffba00"), gold_dark = code_of("#d77d00");
// steel and fire
inline const int steel_dark = code_of("#4d4d4d"), steel = code_of("#9e9e9e"),
                 steel_light = code_of("#dfdfdf"), steel_shine = code_of("#efefef");
inline const int fire_red = code_of("#b64500"), fire_orange = code_of("#f79a00"),
                 fire_yellow = code_of("#ffdb00"), fire_white = code_of("#ffffc0");
inline const int lava_dark = code_of("#860000"), lava_red = code_of("#b64500"),
                 lava_orange = code_of("#e78e00"), lava_yellow = code_of("#ffcb00"),
                 lava_glow = code_of("#590000");
inline const int girder_dark = code_of("#862000"), girder = code_of("#b64500"),
                 girder_light = code_of("#e7751c");
// decoration
inline const int banner_dark = code_of("#69000c"), banner = code_of("#75001c"),
                 banner_light = code_of("#86002c");
inline const int moss_dark = code_of("#005100"), moss = code_of("#006100"),
                 moss_light = code_of("#2c5900");
inline const int bone = code_of("#bebebe"), bone_light = code_of("#dfdfdf");
inline const int chain = code_of("#5d5d5d"), chain_light = code_of("#8d8d8d");
inline const int web = code_of("#4d4d4d");
inline const int night = code_of("#00146d"),
                 star = code_of("#efefef"), star_dim = code_of("#8d8d8d");
// cave
inline const int cave_dark = black, cave_face = code_of("#0c0c0c"),
                 cave_light = code_of("#1c1c1c");
inline const int rock_crack = code_of("#0c0c0c"), rock_dark = code_of("#751c00"),
                 rock_face = code_of("#862c00"), rock_light = code_of("#963c00"),
                 rock_shine = code_of("#a64d00");
inline const int crystal_dark = code_of("#3c28ae"), crystal = code_of("#5d49cf"),
                 crystal_light = code_of("#9e86ff"), crystal_shine = code_of("#c7beff");
inline const int shroom_stem = code_of("#9e9e9e"), shroom_cap = code_of("#00aa4d"),
                 shroom_light = code_of("#4dff7d"), shroom_dark = code_of("#006130");
// tomb
inline const int tomb_mortar = code_of("#0c0c0c"), tomb_face = code_of("#590000"),
                 tomb_grain = code_of("#1c1c1c"),
                 tomb_light = code_of("#69100c"), tomb_carve = code_of("#2c0000");
inline const int sand_mortar = code_of("#691000"), sand_dark = code_of("#a64d00"),
                 sand_face = code_of("#c76d00"), sand_face2 = code_of("#b65d00"),
                 sand_light = code_of("#e78e00"), sand_shine = code_of("#ffaa00");
inline const int paint_blue = code_of("#00458e"), paint_white = code_of("#bebebe");
inline const int clay_dark = code_of("#862000"), clay = code_of("#a63400"),
                 clay_light = code_of("#c75500");
// outdoors
inline const int sky = code_of("#00146d");
inline const int moon = code_of("#dfdfdf"), moon_dark = code_of("#aeaeae"),
                 moon_shade = code_of("#bebebe");
inline const int cloud_dark = code_of("#00247d"), cloud = code_of("#00348e"),
                 cloud_light = code_of("#00458e");
inline const int grass_dark = code_of("#2c5900"), grass = code_of("#4d7900"),
                 grass_light = code_of("#6d9a00"),
                 grass_shine = code_of("#8daa1c");
inline const int dirt_dark = code_of("#691000"), dirt = code_of("#751c00"),
                 dirt_light = code_of("#862c00"),
                 pebble = code_of("#5d5d5d"), pebble_light = code_of("#8d8d8d");
inline const int leaf_dark = code_of("#005100"), leaf = code_of("#006d00"),
                 leaf_light = code_of("#2c8600"),
                 leaf_shine = code_of("#4da200");
inline const int bark_dark = code_of("#590000"), bark = code_of("#751c00"),
                 bark_light = code_of("#963c00");
inline const int petal_pink = code_of("#f7719e"), petal_yellow = code_of("#ffdb00"),
                 petal_white = code_of("#efefef");
inline const int rope = code_of("#a65d00");
}  // namespace ink

// The four backgrounds that the tiles with see-through parts lie over.
enum Back { CASTLE, CAVE, TOMB, SKY };

// A 16 x 16 tile of one colour.
Canvas plain(int c);
// Smooth noise in [0, 1) that repeats every 16 pixels.
double noise(int x, int y, int cell, int seed);

Canvas castle_back();  // dark grey stone
Canvas cave_back();    // near-black rock
Canvas tomb_back();    // dark red sandstone
Canvas sky_back();     // night sky
Canvas background(Back b);

// A tile drawn over one of the backgrounds: its name in the tile list, the
// background and the drawing.
struct Scenery {
  const char *name;
  Back back;
  void (*draw)(Canvas &t);
};

// The decorations (scenery.cpp).
extern const std::vector<Scenery> SCENERY;

}  // namespace tileart
