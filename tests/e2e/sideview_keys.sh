# sideview with keys of the player's choosing: with a "keys.txt" that puts
# jump on X, holding X in level 1 lifts the player and Right Ctrl no
# longer does; without the file, X jumps too, as the second jump key every
# laptop has.
. "$(dirname "$0")/lib.sh"
RUN=$1
e2e_init 320x240
e2e_copy_run "$RUN/sideview"

fail() { e2e_abort "$@"; }

# The player's height on the screen: the mean row of the pixels of its
# jacket's colour in the playfield (rows 0..219), or "none".
player_row() {
  convert "$1" -crop 320x220+0+0 +repage -depth 8 txt:- |
    awk -F'[,: ]+' '/#0065BE/ { n++; s += $2 } END { if (n < 10) print "none"; else printf "%d\n", s / n }'
}

# Starts the game, leaves the credits with Space, waits for level 1 and
# sets standing to the player's row there.
start_level() {
  e2e_start_fullscreen sideview
  sleep 2
  kill -0 $E2E_PID 2>/dev/null || fail "sideview ended during the credits"
  e2e_hold space 0.2
  sleep 1.5
  e2e_shot "$WORK/stand.png"
  standing=$(player_row "$WORK/stand.png")
  [ "$standing" != none ] || fail "no player on the screen in level 1"
}

# Holds KEY for a while and tells the player's row while it is held.
row_while_holding() {
  xdotool keydown "$1"
  sleep 0.3
  e2e_shot "$WORK/held.png"
  xdotool keyup "$1"
  sleep 1.2  # down again
  player_row "$WORK/held.png"
}

end_game() {
  e2e_hold Escape 0.3
  e2e_wait_exit 10
  [ "$E2E_RC" = 0 ] || fail "exit status $E2E_RC after Esc"
}

# With the file: X jumps, Right Ctrl does not.
cat >"$WORK/keys.txt" <<EOF
# jump on X alone
jump = KEY_X
EOF
start_level
ctrl=$(row_while_holding Control_R)
[ "$ctrl" != none ] && [ $((standing - ctrl)) -le 3 ] ||
  fail "Right Ctrl still jumps with jump = KEY_X (row $standing, then $ctrl)"
x=$(row_while_holding x)
[ "$x" != none ] && [ $((standing - x)) -ge 15 ] ||
  fail "X does not jump with jump = KEY_X (row $standing, then $x)"
end_game
grep -q "keys.txt" "$WORK/report.txt" && fail "the file's line was not read: $(grep keys.txt "$WORK/report.txt")"

# Without the file: X is the second jump key.
rm "$WORK/keys.txt"
start_level
x2=$(row_while_holding x)
[ "$x2" != none ] && [ $((standing - x2)) -ge 15 ] ||
  fail "X does not jump without keys.txt (row $standing, then $x2)"
end_game
echo "sideview: with jump = KEY_X, X lifts the player from row $standing to $x and Right Ctrl leaves it at $ctrl; without keys.txt X lifts it to $x2"
