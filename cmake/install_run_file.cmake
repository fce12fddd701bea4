# install_run_file.cmake -- the rule of run_folder_file (run_folder_file.cmake):
#   cmake -DSTAGED=FILE -DDEST=FILE -P install_run_file.cmake
# Copies STAGED to DEST unless DEST was changed after the build last wrote
# it; then the new file goes beside DEST as NAME.from-build.EXT, with a
# warning. STAGED.installed holds the SHA-256 of what was last written to
# DEST.
if(NOT STAGED OR NOT DEST)
  message(FATAL_ERROR "install_run_file.cmake needs -DSTAGED=... and -DDEST=...")
endif()

set(record "${STAGED}.installed")
get_filename_component(dir "${DEST}" DIRECTORY)
get_filename_component(stem "${DEST}" NAME_WLE)
get_filename_component(ext "${DEST}" LAST_EXT)
set(beside "${dir}/${stem}.from-build${ext}")
file(SHA256 "${STAGED}" new_hash)

# Writes STAGED to path through a temporary file, so that a program reading
# path never sees half a file.
function(copy_whole path)
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${STAGED}" "${path}.tmp"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Couldn't write ${path}")
  endif()
  file(RENAME "${path}.tmp" "${path}")
endfunction()

set(take FALSE)
if(NOT EXISTS "${DEST}")
  set(take TRUE)
else()
  file(SHA256 "${DEST}" dest_hash)
  set(written "")
  if(EXISTS "${record}")
    file(READ "${record}" written)
    string(STRIP "${written}" written)
  endif()
  if(dest_hash STREQUAL new_hash OR dest_hash STREQUAL written)
    set(take TRUE)
  endif()
endif()

if(take)
  file(MAKE_DIRECTORY "${dir}")
  copy_whole("${DEST}")
  file(WRITE "${record}" "${new_hash}\n")
  file(REMOVE "${beside}")
else()
  copy_whole("${beside}")
  message("warning: ${DEST} was changed after the build wrote it, so the build "
          "keeps it and has put its own new version beside it: ${beside}")
endif()
