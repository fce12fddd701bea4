# package.cmake -- the Debian package: "cpack -G DEB" in the build folder,
# once the target programs is built, makes tilegames_VERSION_ARCH.deb of
# what the install puts under /usr (install.cmake), the commands in
# /usr/games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tilegames)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Tile games developers <tilegames@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "retro racing and platform games with their editors")
# Below the summary line; CPack indents each line and marks the empty ones.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "topdown: a race across courses seen from above. One or two players steer
walkers, cars, bikes and boats, pick up items and race the clock; a course
editor is built in.

sideview: a side-view platform game on its own small virtual machine:
climb, jump and shoot through castles, caves and tombs for four treasure
chests.

sideview_edit: the level editor of sideview.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The instrument patches the music plays with, and the libraries the
# programs link: the Allegro 4 library, Xlib and Render, and as
# dpkg-shlibdeps (dpkg-dev) finds them, with them the C and C++ ones.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "freepats")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "liballegro4.4 (>= 2:4.4.3), libx11-6, libxrender1, freepats")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Installed with DESTDIR, so the install steps see the real prefix /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# cpack (and "make install") would build everything first, tests and
# benchmarks too; the install needs only the programs, their data and
# icons: build the target programs, then package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
