#!/usr/bin/env bash
# music_tune_heard.sh RENDER TUNE: plays the tune through the game's player
# and sound generator (headless, by the render tool) into a WAV file, then
# listens for its opening notes, which the independent reader names.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
RENDER=$1
TUNE=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

"$RENDER" "$TUNE" "$WORK/tune.wav"
notes=$(python3 "$HERE/music_tune_check.py" --first-notes 5 "$TUNE")
echo "first notes of the tune: $notes"
python3 "$HERE/../e2e/audio_notes.py" "$WORK/tune.wav" $notes
