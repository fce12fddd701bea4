# package.sh SOURCE BUILD -- the Debian package made by "cpack -G DEB" from
# the build holds the three commands in /usr/games, the programs' data, the
# desktop entries and icons, nothing of the tests, benchmarks or fuzzing,
# and declares the Allegro runtime and the MIDI patches as dependencies.
set -u
SRC=$1 BUILD=$2
work=$(mktemp -d /tmp/package.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work/out") \
  >"$work/cpack.txt" 2>&1 || fail "cpack failed: $(tail -5 "$work/cpack.txt")"
deb=$(ls "$work"/out/*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "no .deb made: $(tail -5 "$work/cpack.txt")"

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/files.txt" || fail "dpkg-deb -c failed"
for f in ./usr/games/topdown ./usr/games/sideview ./usr/games/sideview_edit \
         ./usr/lib/tilegames/topdown/topdown ./usr/lib/tilegames/topdown/data.dat \
         ./usr/lib/tilegames/topdown/m01.map ./usr/lib/tilegames/topdown/installed.txt \
         ./usr/lib/tilegames/sideview/sideview ./usr/lib/tilegames/sideview/sideview_edit \
         ./usr/lib/tilegames/sideview/tiles.bmp ./usr/lib/tilegames/sideview/tr01.map \
         ./usr/share/applications/topdown.desktop ./usr/share/applications/sideview.desktop \
         ./usr/share/applications/sideview_edit.desktop; do
  grep -qx "$f" "$work/files.txt" || fail "the package lacks $f"
done
for size in 32 64 128; do
  for prog in topdown sideview sideview_edit; do
    grep -qx "./usr/share/icons/hicolor/${size}x$size/apps/$prog.png" "$work/files.txt" ||
      fail "the package lacks the ${size}x$size icon of $prog"
  done
done
grep -E -i 'test|bench|fuzz|asan|gtest|install_manifest|/usr/bin/' "$work/files.txt" &&
  fail "the package holds files it should not"

dpkg-deb -I "$deb" >"$work/info.txt" || fail "dpkg-deb -I failed"
depends=$(grep '^ Depends:' "$work/info.txt")
grep -q 'liballegro4.4' <<<"$depends" || fail "no dependency on liballegro4.4: $depends"
grep -q 'freepats' <<<"$depends" || fail "no dependency on freepats: $depends"
grep -q '^ Section: games' "$work/info.txt" || fail "not in the games section"
grep -q '^ Description: .' "$work/info.txt" || fail "no description"

# The entries name the commands where the package puts them.
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
for prog in topdown sideview sideview_edit; do
  entry=$work/root/usr/share/applications/$prog.desktop
  desktop-file-validate "$entry" || fail "$prog.desktop is not valid"
  grep -qx "Exec=/usr/games/$prog" "$entry" || fail "$prog.desktop: $(grep ^Exec "$entry")"
  [ "$(readlink "$work/root/usr/games/$prog")" = "../lib/tilegames/$(
        [ $prog = topdown ] && echo topdown || echo sideview)/$prog" ] ||
    fail "/usr/games/$prog points at $(readlink "$work/root/usr/games/$prog")"
done
echo "package: $(basename "$deb"), $(wc -l <"$work/files.txt") entries; $depends"
