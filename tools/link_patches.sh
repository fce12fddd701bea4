#!/usr/bin/env bash
# link_patches.sh FREEPATS_DIR OUT
# Makes OUT a patch folder for Allegro's software MIDI synthesiser: links to
# the instrument and drum folders and their configuration as default.cfg.
set -euo pipefail
src=$1 out=$2
mkdir -p "$out"
ln -sfn "$src/Tone_000" "$out/Tone_000"
ln -sfn "$src/Drum_000" "$out/Drum_000"
cp /etc/timidity/freepats.cfg "$out/default.cfg"
