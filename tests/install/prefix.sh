# prefix.sh SOURCE BUILD -- an install into a scratch prefix as a player
# gets it: "cmake --install" puts the programs, commands, desktop entries
# and icons there and nothing of the tests; each command starts its
# program from another folder and the program works in the player's
# folder under XDG_DATA_HOME; the uninstall leaves the prefix as it was,
# and the player's files where they are.
source "$(dirname "$0")/../e2e/lib.sh"
SRC=$1 BUILD=$2
e2e_init 640x480
P=$WORK/prefix
DATA=$WORK/data
mkdir -p "$P" "$WORK/elsewhere" "$WORK/home"
export HOME=$WORK/home XDG_DATA_HOME=$DATA
before=$(cd "$P" && find . | sort)

cmake --install "$BUILD" --prefix "$P" >"$WORK/install.txt" 2>&1 ||
  e2e_fail "the install failed: $(tail -5 "$WORK/install.txt")"

# What was installed: the programs, their data and the menu's files only.
installed=$(cd "$P" && find . ! -type d | sort)
grep -E -i 'test|bench|fuzz|asan|gtest|staging|CMake' <<<"$installed" &&
  e2e_fail "test or build files installed"
for f in lib/tilegames/topdown/data.dat lib/tilegames/topdown/m01.map \
         lib/tilegames/topdown/tileattr.wz lib/tilegames/topdown/installed.txt \
         lib/tilegames/sideview/tiles.bmp lib/tilegames/sideview/tr01.map \
         lib/tilegames/sideview/hops.txt lib/tilegames/sideview/installed.txt; do
  [ -f "$P/$f" ] || e2e_fail "$f was not installed"
done

# The desktop entries: valid, naming the commands and icons installed.
for prog in topdown sideview sideview_edit; do
  entry=$P/share/applications/$prog.desktop
  [ -f "$entry" ] || e2e_fail "no desktop entry $prog.desktop"
  desktop-file-validate "$entry" >"$WORK/valid.txt" 2>&1 ||
    e2e_fail "$prog.desktop: $(cat "$WORK/valid.txt")"
  grep -qx "Exec=$P/bin/$prog" "$entry" || e2e_fail "$prog.desktop: $(grep ^Exec "$entry")"
  grep -qx "Icon=$prog" "$entry" || e2e_fail "$prog.desktop names no icon $prog"
  [ -L "$P/bin/$prog" ] && [ -x "$P/bin/$prog" ] || e2e_fail "no command bin/$prog"
  for size in 32 64 128; do
    icon=$P/share/icons/hicolor/${size}x$size/apps/$prog.png
    [ -f "$icon" ] || e2e_fail "no icon ${size}x$size/apps/$prog.png"
    python3 "$SRC/tests/install/check_icon.py" "$size" "$icon" || e2e_fail "a bad icon"
  done
done
grep -q '^Categories=Game;' "$P/share/applications/topdown.desktop" || e2e_fail "topdown is no game"
grep -q '^Categories=Game;' "$P/share/applications/sideview.desktop" || e2e_fail "sideview is no game"
grep -Eq '^Categories=(Development|Graphics);' "$P/share/applications/sideview_edit.desktop" ||
  e2e_fail "the editor is not under development or graphics"

# Each command, started from a folder that holds none of its files, runs
# its program in the player's folder: its log is there, nowhere else.
E2E_RUN_DIR=$WORK/elsewhere
start() { # COMMAND FOLDER: start, leave with Esc, check the log's place
  local prog=$1 folder=$2
  e2e_launch "$prog" "$P/bin/$prog"
  e2e_escape_out "$prog"
  grep -q "the player's folder" "$DATA/tilegames/$folder/report.txt" ||
    e2e_fail "$prog: no log in $DATA/tilegames/$folder"
  [ -e "$WORK/elsewhere/report.txt" ] && e2e_fail "$prog wrote its log where it was started"
  [ -e "$P/lib/tilegames/$folder/report.txt" ] && e2e_fail "$prog wrote its log into the install"
  return 0
}
start topdown topdown
start sideview sideview
start sideview_edit sideview
[ -f "$DATA/tilegames/topdown/m01.map" ] || e2e_fail "no player's copy of m01.map"

# The uninstall removes exactly what the install put there.
bash "$SRC/scripts/uninstall.sh" "$P" >"$WORK/uninstall.txt" 2>&1 ||
  e2e_fail "the uninstall failed: $(cat "$WORK/uninstall.txt")"
after=$(cd "$P" && find . | sort)
[ "$before" = "$after" ] || e2e_fail "the prefix is not as it was: $(diff <(echo "$before") <(echo "$after"))"
[ -f "$DATA/tilegames/topdown/m01.map" ] || e2e_fail "the uninstall took the player's files"

# A prefix the install made goes with the uninstall.
cmake --install "$BUILD" --prefix "$WORK/new/prefix" >"$WORK/install2.txt" 2>&1 ||
  e2e_fail "the second install failed"
mkdir -p "$WORK/new/player-made"
bash "$SRC/scripts/uninstall.sh" "$WORK/new/prefix" >/dev/null || e2e_fail "the second uninstall failed"
[ "$(cd "$WORK/new" && find . | sort)" = "$(printf '.\n./player-made')" ] ||
  e2e_fail "left in the new prefix: $(cd "$WORK/new" && find .)"
echo "install into a prefix: commands, entries, icons, the player's folder, uninstall: ok"
