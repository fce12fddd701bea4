#!/usr/bin/env bash
# make_topdown_data.sh ART TUNE TILES OUTDIR
# Draws topdown's pictures and writes its tune with the two generator
# programs, then packs them into OUTDIR/data.dat with Allegro's dat tool.
# dat sorts objects by name, so every source file is named O<index>_<what>
# and alphabetical order is index order.
set -euo pipefail
art=$1 tune=$2 tiles=$3 out=$4
src=$(mktemp -d)
trap 'rm -rf "$src"' EXIT

"$art" "$tiles" "$src"
"$tune" "$src/O019_music.mid"

dat=$(command -v dat || echo /usr/bin/dat)
rm -f "$src/data.dat"
# Pictures: truecolour sources stored as 16-bit bitmaps.
"$dat" "$src/data.dat" -bpp 16 -t BMP -a "$src"/O*.bmp >/dev/null
"$dat" "$src/data.dat" -t FONT -a "$src"/O015_font.pcx >/dev/null
"$dat" "$src/data.dat" -t MIDI -a "$src"/O019_music.mid >/dev/null
# Drop the grabber's hidden info object so the file holds exactly our objects.
"$dat" "$src/data.dat" -s1 >/dev/null
mkdir -p "$out"
mv "$src/data.dat" "$out/data.dat.new"
mv "$out/data.dat.new" "$out/data.dat"
