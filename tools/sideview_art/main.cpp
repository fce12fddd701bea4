// main.cpp -- the picture maker of sideview
//
//   sideview_art DATADIR OUTDIR
//     draws every picture of sideview and sideview_edit from the readable
//     sources in DATADIR (tiles.txt, sprites.txt, status.txt, credits.txt)
//     into OUTDIR: tiles.bmp, sprites.bmp, status.bmp, red.bmp, green.bmp,
//     blue.bmp, grey.bmp and pallette.pcx. The build merges the four credits
//     pictures into four.bmp with "sideview_edit -four".
//   sideview_art --scene TILES LEVEL PICTURES OUT.bmp
//     draws a level source with the pictures in PICTURES as the game would
//     show it, status bar below, to look at the art (see scene.h).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "codes.h"
#include "credits.h"
#include "picture_file.h"
#include "pixelart.h"
#include "scene.h"
#include "sheets.h"
#include "tool.h"

// palette_picture
// "pallette.pcx" for the editor: its palette is the machine's (slot s shows
// code s as the game does), its picture every code in a 16 x 16 grid.
static std::vector<unsigned char> palette_picture() {
  Canvas grid = make_canvas(128, 128);
  for (int c = 0; c < 256; c++)
    fill_box(grid, 8 * (c % 16), 8 * (c / 16), 8 * (c % 16) + 7, 8 * (c / 16) + 7, c);
  return pcx8_bytes(grid, shown_palette());
}

int main(int argc, char **argv) {
  tool_name = "sideview_art";
  if (argc == 6 && strcmp(argv[1], "--scene") == 0) {
    save_file(argv[5], bmp8_bytes(render_scene(argv[2], argv[3], argv[4]), shown_palette()));
    return 0;
  }
  if (argc != 3) {
    fprintf(stderr,
            "usage: sideview_art DATADIR OUTDIR\n"
            "       sideview_art --scene TILES LEVEL PICTURES OUT.bmp\n");
    return 2;
  }
  std::string data = argv[1] + std::string("/"), out = argv[2] + std::string("/");
  PixelArt sprites = read_pixel_art(data + "sprites.txt");
  const Rgb *pal = shown_palette();
  save_file(out + "tiles.bmp", bmp8_bytes(tile_sheet(read_tile_list(data + "tiles.txt")), pal));
  save_file(out + "sprites.bmp", bmp8_bytes(sprite_sheet(sprites), pal));
  save_file(out + "status.bmp", bmp8_bytes(status_bar(read_pixel_art(data + "status.txt")), pal));

  std::vector<Canvas> pics = credit_pictures(data + "credits.txt", sprites);
  for (int i = 0; i < 4; i++) save_file(out + CREDIT_NAMES[i], credit_bmp(pics[i]));
  save_file(out + "pallette.pcx", palette_picture());
  return 0;
}
