# install_steps.cmake -- the steps of an install that depend on where it
# goes, run by cmake_install.cmake (see install.cmake). Macros, not
# functions: what file(INSTALL) adds to the install's manifest must stay
# in the install script's own scope.

# install_note_folders(FOLDERS)
# Before anything is installed: which of the folders the install may make
# (a ;-list relative to the prefix, "." the prefix itself) are not there
# yet, so that the record can name those the install made.
macro(install_note_folders folders)
  set(_tg_made_folders)
  foreach(_tg_f ${folders})
    if(_tg_f STREQUAL ".")
      set(_tg_abs "${CMAKE_INSTALL_PREFIX}")
    else()
      set(_tg_abs "${CMAKE_INSTALL_PREFIX}/${_tg_f}")
    endif()
    if(NOT IS_DIRECTORY "$ENV{DESTDIR}${_tg_abs}")
      list(APPEND _tg_made_folders "${_tg_abs}")
    endif()
  endforeach()
endmacro()

# install_exec_value(VAR PATH)
# PATH as an argument of a desktop entry's Exec key: quoted when it holds a
# character the key reserves, "%" doubled.
macro(install_exec_value var path)
  set(${var} "${path}")
  if("${${var}}" MATCHES "[^A-Za-z0-9/._+,=@:-]")
    string(REPLACE "\\" "\\\\\\\\" ${var} "${${var}}")
    string(REPLACE "\"" "\\\\\"" ${var} "${${var}}")
    string(REPLACE "`" "\\\\`" ${var} "${${var}}")
    string(REPLACE "$" "\\\\$" ${var} "${${var}}")
    set(${var} "\"${${var}}\"")
  endif()
  string(REPLACE "%" "%%" ${var} "${${var}}")
endmacro()

# install_commands(WORK DESKTOP PROGRAMS)
# The commands (links made in WORK/commands at configure time) go into
# bin/, or into games/ under /usr as Debian has it; the desktop entries,
# made from DESKTOP/NAME.desktop.in, name them by their full paths.
macro(install_commands work desktop programs)
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(_tg_bin games)
  else()
    set(_tg_bin bin)
  endif()
  set(_tg_links)
  set(_tg_entries)
  # Installs into different prefixes may run at once: each has its own.
  string(MD5 _tg_key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  foreach(_tg_p ${programs})
    list(APPEND _tg_links "${work}/commands/${_tg_p}")
    set(COMMAND_PATH "${CMAKE_INSTALL_PREFIX}/${_tg_bin}/${_tg_p}")
    install_exec_value(EXEC "${COMMAND_PATH}")
    configure_file("${desktop}/${_tg_p}.desktop.in"
                   "${work}/applications-${_tg_key}/${_tg_p}.desktop" @ONLY)
    list(APPEND _tg_entries "${work}/applications-${_tg_key}/${_tg_p}.desktop")
  endforeach()
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${_tg_bin}" TYPE FILE FILES ${_tg_links})
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
       FILES ${_tg_entries})
endmacro()

# install_record(DIR)
# Last: writes PREFIX/DIR/install_manifest.txt, every file this install and
# earlier ones into the same prefix put there (one a line, as CMake's own
# manifest) and then every folder they made (ending in "/"), so that
# "./run.sh --uninstall" removes exactly those. A staged install (DESTDIR,
# as the Debian package is made) writes none: the package system keeps
# that record.
macro(install_record dir)
  if("$ENV{DESTDIR}" STREQUAL "")
    set(_tg_record "${CMAKE_INSTALL_PREFIX}/${dir}/install_manifest.txt")
    set(_tg_files ${CMAKE_INSTALL_MANIFEST_FILES} "${_tg_record}")
    set(_tg_folders)
    if(EXISTS "${_tg_record}")
      file(STRINGS "${_tg_record}" _tg_old)
      foreach(_tg_line ${_tg_old})
        if(_tg_line MATCHES "^#")
        elseif(_tg_line MATCHES "^(.+)/$")
          list(APPEND _tg_folders "${CMAKE_MATCH_1}")
        elseif(EXISTS "${_tg_line}" OR IS_SYMLINK "${_tg_line}")
          list(APPEND _tg_files "${_tg_line}")
        endif()
      endforeach()
    endif()
    foreach(_tg_f ${_tg_made_folders})
      if(IS_DIRECTORY "${_tg_f}")
        list(APPEND _tg_folders "${_tg_f}")
      endif()
    endforeach()
    list(REMOVE_DUPLICATES _tg_files)
    list(REMOVE_DUPLICATES _tg_folders)
    list(SORT _tg_files)
    list(SORT _tg_folders)
    set(_tg_text "# What the install put here: files, then the folders it made.\n")
    foreach(_tg_f ${_tg_files})
      string(APPEND _tg_text "${_tg_f}\n")
    endforeach()
    foreach(_tg_f ${_tg_folders})
      string(APPEND _tg_text "${_tg_f}/\n")
    endforeach()
    message(STATUS "Recording: ${_tg_record}")
    file(WRITE "${_tg_record}" "${_tg_text}")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_tg_record}")
  endif()
endmacro()
