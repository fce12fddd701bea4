# install.cmake -- what "cmake --install build --prefix PREFIX" puts under
# PREFIX ("./run.sh --install": ~/.local), and the Debian package made by
# "cpack -G DEB" in the build folder (PREFIX /usr):
#
#   lib/tilegames/topdown/     topdown and its data
#   lib/tilegames/sideview/    sideview, sideview_edit and their data
#   bin/ (games/ under /usr)   the commands topdown, sideview, sideview_edit:
#                              links to the programs, which find their folder
#   share/applications/        a desktop entry for each program
#   share/icons/hicolor/NxN/apps/  their icons at 32, 64 and 128 pixels
#   lib/tilegames/install_manifest.txt  what "./run.sh --uninstall" removes
#
# Each program folder gets "installed.txt", which makes the programs work in
# the player's own folder (common/player_folder.h). Only the programs and
# their data are installed: no tests, benchmarks or fuzz targets.
set(INSTALL_DIR lib/tilegames)
set(INSTALL_STEPS ${CMAKE_CURRENT_LIST_DIR}/install_steps.cmake)
set(INSTALL_WORK ${CMAKE_BINARY_DIR}/install)
set(INSTALL_PROGRAMS)
foreach(prog topdown sideview sideview_edit)
  if(TARGET ${prog})
    list(APPEND INSTALL_PROGRAMS ${prog})
  endif()
endforeach()

# The folder each program is installed in: the editor beside its game.
function(install_folder_of prog var)
  if(prog STREQUAL "topdown")
    set(${var} topdown PARENT_SCOPE)
  else()
    set(${var} sideview PARENT_SCOPE)
  endif()
endfunction()

# First: which folders are there before anything is installed.
set(install_folders . bin games lib ${INSTALL_DIR} ${INSTALL_DIR}/topdown
    ${INSTALL_DIR}/topdown/patches ${INSTALL_DIR}/sideview share share/applications share/icons
    share/icons/hicolor)
foreach(size ${ICON_SIZES})
  list(APPEND install_folders share/icons/hicolor/${size}x${size}
       share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(CODE "include(\"${INSTALL_STEPS}\")\ninstall_note_folders(\"${install_folders}\")")

# The programs, and the files the build puts into their run folders, as
# made in the staging folder.
foreach(prog ${INSTALL_PROGRAMS})
  install_folder_of(${prog} folder)
  install(TARGETS ${prog} RUNTIME DESTINATION ${INSTALL_DIR}/${folder})
endforeach()
get_property(staged GLOBAL PROPERTY RUN_FOLDER_STAGED)
get_property(folders GLOBAL PROPERTY RUN_FOLDER_NAMES)
list(LENGTH staged count)
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    list(GET staged ${i} file)
    list(GET folders ${i} folder)
    install(FILES ${file} DESTINATION ${INSTALL_DIR}/${folder})
  endforeach()
endif()
get_property(patches GLOBAL PROPERTY TOPDOWN_PATCHES)
if(patches)
  install(DIRECTORY ${patches} DESTINATION ${INSTALL_DIR}/topdown)
endif()
foreach(folder topdown sideview)
  install(FILES ${CMAKE_SOURCE_DIR}/data/installed.txt DESTINATION ${INSTALL_DIR}/${folder})
endforeach()

# The commands, links made here and installed where the prefix wants them,
# and the desktop entries naming them.
foreach(prog ${INSTALL_PROGRAMS})
  install_folder_of(${prog} folder)
  file(MAKE_DIRECTORY ${INSTALL_WORK}/commands)
  file(CREATE_LINK ../${INSTALL_DIR}/${folder}/${prog} ${INSTALL_WORK}/commands/${prog} SYMBOLIC)
endforeach()
install(CODE "include(\"${INSTALL_STEPS}\")
install_commands(\"${INSTALL_WORK}\" \"${CMAKE_SOURCE_DIR}/data/desktop\" \"${INSTALL_PROGRAMS}\")")

foreach(size ${ICON_SIZES})
  foreach(prog ${INSTALL_PROGRAMS})
    install(FILES ${ICON_DIR}/${size}x${size}/apps/${prog}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()

# Last: the record of what was installed.
install(CODE "include(\"${INSTALL_STEPS}\")\ninstall_record(\"${INSTALL_DIR}\")")

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
