# run_folder_file(LIST STAGED DEST)
#
# Puts a data file made by the build into a run folder without ever writing
# over a copy that was changed there after the build wrote it (a course or
# level saved by an editor, a "tileattr.wz" with new attributes).
#
#   LIST    a list variable of the caller; the function appends what its rule
#           makes, so make the data target DEPEND on the list
#   STAGED  the file as the build makes it: the OUTPUT of the caller's own
#           add_custom_command, in a staging folder of the build tree
#           (${STAGING_DIR}/<program>/...), never in the run folder itself
#   DEST    its place in the run folder (${RUN_DIR}/<program>/<name>)
#
# The rule copies STAGED to DEST whenever STAGED is made anew, if DEST is
# missing, still holds what the build last wrote there (a note of that lies
# beside STAGED), or already equals STAGED. Otherwise DEST was changed after
# the build wrote it: it is kept as it is, the build's new file is written
# beside it as NAME.from-build.EXT (m01.from-build.map), and every build
# prints a warning naming both until the two agree or DEST is removed. The
# build goes on: a warning, never an error.
#
# The install puts STAGED (never the run folder's copy, which may be a
# player's) into the installed program's folder of the same name as DEST's
# (cmake/install.cmake reads the list this function keeps).
#
# Example, as data/CMakeLists.txt does it for a course:
#   add_custom_command(OUTPUT ${STAGING_DIR}/topdown/m01.map
#     COMMAND mapc ${TILES} ${src} ${STAGING_DIR}/topdown/m01.map
#     DEPENDS mapc ${TILES} ${src})
#   run_folder_file(td_outputs ${STAGING_DIR}/topdown/m01.map
#                   ${RUN_DIR}/topdown/m01.map)
#   ...
#   add_custom_target(topdown_data ALL DEPENDS ${td_outputs})
set(RUN_FOLDER_FILE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_run_file.cmake)

function(run_folder_file list staged dest)
  get_filename_component(name ${dest} NAME)
  add_custom_command(OUTPUT ${dest} ${staged}.installed
    COMMAND ${CMAKE_COMMAND} -DSTAGED=${staged} -DDEST=${dest}
            -P ${RUN_FOLDER_FILE_SCRIPT}
    DEPENDS ${staged} ${RUN_FOLDER_FILE_SCRIPT}
    COMMENT "Putting ${name} into the run folder")
  set(${list} ${${list}} ${dest} PARENT_SCOPE)
  get_filename_component(folder ${dest} DIRECTORY)
  get_filename_component(folder ${folder} NAME)
  set_property(GLOBAL APPEND PROPERTY RUN_FOLDER_STAGED ${staged})
  set_property(GLOBAL APPEND PROPERTY RUN_FOLDER_NAMES ${folder})
endfunction()
