# readonly.sh SOURCE BUILD -- a system-wide install a player can't write:
# the first start makes the player's folder under ~/.local/share/tilegames,
# the editor's save lands there, and a later start after a newer install
# uses it, takes the install's new files and keeps the player's changes.
# The player is the user nobody with a home folder of its own.
source "$(dirname "$0")/../e2e/lib.sh"
SRC=$1 BUILD=$2
e2e_init 640x480
chmod 755 "$WORK"
P=$WORK/prefix
H=$WORK/home
mkdir -p "$H" "$WORK/elsewhere"
chown nobody:nogroup "$H"
cmake --install "$BUILD" --prefix "$P" >"$WORK/install.txt" 2>&1 ||
  e2e_fail "the install failed: $(tail -5 "$WORK/install.txt")"
INSTALL=$P/lib/tilegames/sideview
ME=$H/.local/share/tilegames

# The player: nobody, at home, with the data home left to its default.
PLAYER=(setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_DATA_HOME HOME="$H")
"${PLAYER[@]}" touch "$INSTALL/x" 2>/dev/null && e2e_fail "the player can write into the install"
E2E_RUN_DIR=$WORK/elsewhere

# First start: the player's folder is made and the program works there.
e2e_launch topdown "${PLAYER[@]}" "$P/bin/topdown"
e2e_escape_out topdown
[ -f "$ME/topdown/m01.map" ] && [ ! -L "$ME/topdown/m01.map" ] || e2e_fail "no copy of m01.map"
[ -L "$ME/topdown/data.dat" ] || e2e_fail "data.dat is not read from the install"
[ "$(stat -c %U "$ME/topdown/m01.map")" = nobody ] || e2e_fail "the copy is not the player's"
grep -q "Copied" "$ME/topdown/report.txt" || e2e_fail "topdown's log: $(cat "$ME/topdown/report.txt")"

# The editor's save lands in the player's folder: a tile's attribute
# changed (F5), the level saved as mine.map, then Esc leaves.
e2e_launch sideview_edit "${PLAYER[@]}" "$P/bin/sideview_edit"
e2e_key F5
e2e_key s
sleep 1
e2e_select_file mine.map
e2e_wait_saved "$ME/sideview/mine.map" "the editor saved no mine.map in the player's folder"
e2e_key Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "sideview_edit: exit status $E2E_RC"
cmp -s "$ME/sideview/tileattr.wz" "$INSTALL/tileattr.wz" && e2e_fail "the attribute was not saved"
[ -e "$INSTALL/mine.map" ] || [ -e "$INSTALL/report.txt" ] && e2e_fail "the editor wrote into the install"
cp "$ME/sideview/tileattr.wz" "$WORK/players.wz"

# A newer install changes the attributes and a level; the second start
# uses the same folder, takes the new level, keeps the player's attributes
# and puts the install's beside them.
cp "$INSTALL/tr07.map" "$INSTALL/tr08.map"
python3 -c "import sys; b = bytearray(open(sys.argv[1], 'rb').read()); b[200] ^= 1
open(sys.argv[1], 'wb').write(b)" "$INSTALL/tileattr.wz"
e2e_launch sideview_edit "${PLAYER[@]}" "$P/bin/sideview_edit"
e2e_key Escape
e2e_wait_exit 10
[ "$E2E_RC" = 0 ] || e2e_fail "sideview_edit again: exit status $E2E_RC"
log=$(cat "$ME/sideview/report.txt")
grep -q "Running in \"$ME/sideview\"" <<<"$log" || e2e_fail "the second start's log: $log"
[ -s "$ME/sideview/mine.map" ] || e2e_fail "the player's level is gone"
cmp -s "$ME/sideview/tr08.map" "$INSTALL/tr08.map" || e2e_fail "the newer level was not taken"
cmp -s "$ME/sideview/tileattr.wz" "$WORK/players.wz" || e2e_fail "the player's attributes were replaced"
cmp -s "$ME/sideview/tileattr.from-install.wz" "$INSTALL/tileattr.wz" ||
  e2e_fail "the install's attributes are not beside the player's"
grep -q 'Kept "tileattr.wz"' <<<"$log" || e2e_fail "the log does not say the attributes were kept: $log"
echo "read-only install: the player's folder made, the save there, used again, changes kept: ok"
