// main.cpp -- make_icons DATA.DAT SIDEVIEW OUTDIR
//
// Draws the icons of topdown, sideview and sideview_edit from the built
// pictures: topdown's tiles and car from its DATA.DAT, sideview's
// tiles.bmp and sprites.bmp from the folder SIDEVIEW. Writes
// OUTDIR/NxN/apps/NAME.png for each program and each size, the layout of
// a desktop's icon theme.
#include <allegro.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "icon.h"
#include "png.h"

// The objects of topdown's data.dat, as tools/art numbers them: the car,
// and tiles from object 21 on (the road, the finish line).
enum { OBJ_CAR = 8, OBJ_FIRST_TILE = 21, TILE_ROAD = 3, TILE_FINISH = 240 };
// The standing player in sideview's sprites.bmp.
enum { PLAYER_X = 0, PLAYER_Y = 0, PLAYER_W = 32, PLAYER_H = 32 };

static void fail(const std::string &msg) {
  fprintf(stderr, "make_icons: %s\n", msg.c_str());
  exit(1);
}

// A true-colour bitmap as a picture; its mask colour is clear.
static Picture from_truecolour(BITMAP *bmp) {
  Picture p = make_picture(bmp->w, bmp->h);
  int depth = bitmap_color_depth(bmp), mask = bitmap_mask_color(bmp);
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int c = getpixel(bmp, x, y);
      if (c != mask)
        p.set(x, y, {(unsigned char)getr_depth(depth, c), (unsigned char)getg_depth(depth, c),
                     (unsigned char)getb_depth(depth, c), 255});
    }
  return p;
}

// An 8-bit bitmap in the colours of its palette, as the games show them
// (Allegro keeps six bits a component: 63 is shown as 255); with
// clear_zero, code 0 is clear as in sideview's sprites.
static Picture from_paletted(BITMAP *bmp, const PALETTE pal, bool clear_zero) {
  auto widen = [](int v) { return (unsigned char)(v << 2 | v >> 4); };
  Picture p = make_picture(bmp->w, bmp->h);
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int c = getpixel(bmp, x, y) & 255;
      if (c == 0 && clear_zero) continue;
      p.set(x, y, {widen(pal[c].r), widen(pal[c].g), widen(pal[c].b), 255});
    }
  return p;
}

static Picture load_paletted(const std::string &path, bool clear_zero) {
  PALETTE pal;
  BITMAP *bmp = load_bitmap(path.c_str(), pal);
  if (!bmp) fail("can't read " + path);
  if (bitmap_color_depth(bmp) != 8) fail(path + " is not an 8-bit picture");
  Picture p = from_paletted(bmp, pal, clear_zero);
  destroy_bitmap(bmp);
  return p;
}

// The topdown object at index, which must be a bitmap.
static Picture object(DATAFILE *d, int index, const char *what) {
  for (int i = 0; i <= index; i++)
    if (d[i].type == DAT_END) fail(std::string("data.dat has no ") + what);
  if (d[index].type != DAT_BITMAP) fail(std::string("data.dat's ") + what + " is not a picture");
  return from_truecolour((BITMAP *)d[index].dat);
}

static void make_folder(const std::string &path) {
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) fail("can't make " + path);
}

// Writes the picture at every size under out.
static void write_icon(const std::string &out, const std::string &name, const Picture &p) {
  for (int size : icon_sizes()) {
    std::string dir = out + "/" + std::to_string(size) + "x" + std::to_string(size);
    make_folder(dir);
    make_folder(dir + "/apps");
    Picture s = resized(p, size);
    std::vector<unsigned char> rgba;
    rgba.reserve(s.px.size() * 4);
    for (Rgba c : s.px) rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
    std::string path = dir + "/apps/" + name + ".png";
    if (!write_whole(path, png_bytes(size, size, rgba))) fail("can't write " + path);
  }
}

int main(int argc, char **argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: make_icons DATA.DAT SIDEVIEW OUTDIR\n");
    return 2;
  }
  std::string sideview = argv[2], out = argv[3];
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) fail("can't start Allegro");

  set_color_depth(32);
  set_color_conversion(COLORCONV_TOTAL);
  DATAFILE *d = load_datafile(argv[1]);
  if (!d) fail(std::string("can't read ") + argv[1]);
  Picture road = object(d, OBJ_FIRST_TILE + TILE_ROAD, "road tile");
  Picture finish = object(d, OBJ_FIRST_TILE + TILE_FINISH, "finish tile");
  Picture car = object(d, OBJ_CAR, "car");
  unload_datafile(d);

  set_color_depth(8);
  set_color_conversion(COLORCONV_NONE);
  Picture tiles = load_paletted(sideview + "/tiles.bmp", false);
  Picture sprites = load_paletted(sideview + "/sprites.bmp", true);
  Picture player = cut(sprites, PLAYER_X, PLAYER_Y, PLAYER_W, PLAYER_H);

  make_folder(out);
  write_icon(out, "topdown", topdown_icon(road, finish, car));
  write_icon(out, "sideview", sideview_icon(tiles, player));
  write_icon(out, "sideview_edit", editor_icon(tiles));
  return 0;
}
END_OF_MAIN()
