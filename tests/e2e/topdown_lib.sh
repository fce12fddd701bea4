# topdown_lib.sh -- what tells topdown's screens apart in a screenshot, for
# its end-to-end tests; source it after lib.sh. Each check takes the shot,
# then, where topdown's picture is enlarged or moved in it, the factor K
# and the picture's top-left corner X Y (1 and 0 0 by default).

# topdown_pixel FILE PX PY [K [X Y]]: "R,G,B" at pixel (PX, PY) of the
# picture.
topdown_pixel() {
  e2e_pixel "$1" $(( ${5:-0} + $2 * ${4:-1} )) $(( ${6:-0} + $3 * ${4:-1} ))
}

# topdown_menu_shown FILE [K [X Y]]: the main menu: the root's spine black
# at (90, 260), white below the title picture.
topdown_menu_shown() {
  [ "$(topdown_pixel "$1" 90 260 "${@:2}")" = "0,0,0" ] &&
    [ "$(topdown_pixel "$1" 620 470 "${@:2}")" = "255,255,255" ]
}

# topdown_editor_shown FILE [K [X Y]]: the course editor: its black status
# band across the top 48 rows, and no menu.
topdown_editor_shown() {
  [ "$(topdown_pixel "$1" 639 40 "${@:2}")" = "0,0,0" ] && ! topdown_menu_shown "$@"
}
