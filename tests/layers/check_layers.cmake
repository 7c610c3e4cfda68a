# Checks the folder layers of the sources: a file may include headers of its
# own folder and of folders on a lower level only, so the folder include
# graph has no loop and no folder reaches upwards.
#
#   level 0  base       number/text/geometry utilities, encodings, file writer
#            resources  the language tables (compiled into core; no includes)
#   level 1  core       design record, platform, language
#   level 2  astro      calendar and ephemeris          } side by side: they
#            plot       canvas, plot surfaces           } include neither
#   level 3  dials, tables, dxf
#   level 4  drawing
#   level 5  ui, cli
#
# The one exception: cli/ may include the Qt canvas backend of ui/
# (ui/qt_canvas.h, ui/print_page.h) for its PNG and PDF pictures.
#
# Three more rules of the floors:
# - Qt headers (<Q...>, <Qt...>) are included in ui/ only, and in the two
#   files of cli/ that write the PNG and PDF pictures.
# - Plot text is written by the HPGL writer of plot/ alone: no string
#   literal in dials/ or tables/ spells a plotter command (a mnemonic such
#   as PU, PD, SP, IN, LB, DI, SI at the start of the literal or after a
#   ";", followed by a blank, a number, a ";" or the end). Comments may
#   name the commands.
# - The design record is read by the family rows only: below them, in
#   dials/, and in plot/ no code calls design() (the rows are
#   dials/<family>/<family>_family.cpp; dials/dial_family.cpp and
#   dials/dial_type_rules.cpp belong with them). Builders and emitters take
#   the values as arguments. Comments may name it.
#
# Usage: cmake -DSOURCE_DIR=<project> -P check_layers.cmake
# Every offending include is listed; the exit status is non-zero if any.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR not set")
endif()

set(_level_base 0)
set(_level_core 1)
set(_level_resources 0)
set(_level_astro 2)
set(_level_plot 2)
set(_level_dials 3)
set(_level_tables 3)
set(_level_dxf 3)
set(_level_drawing 4)
set(_level_ui 5)
set(_level_cli 5)
set(_folders base core resources astro plot dials tables dxf drawing ui cli)
set(_allowed_cli_ui ui/qt_canvas.h ui/print_page.h)

set(_qt_allowed_cli cli/draw_command.cpp cli/picture_options.cpp)
set(_plot_text_free_folders dials tables)
set(_record_free_folders dials plot)
set(_record_readers_in_dials dials/dial_family.cpp dials/dial_type_rules.cpp)
set(_hpgl_mnemonic "(IN|PA|VS|IW|EA|SP|PU|PD|PW|LT|SI|DI|LB|CI|AA|SS|SA)")
# (";" stands as "<semicolon>" in the literals: a CMake list splits at ";".)
set(_hpgl_command "(^\"|<semicolon>)[ ]*${_hpgl_mnemonic}([ 0-9-]|<semicolon>|\"$)")

set(_faults 0)
set(_checked 0)
foreach(_folder IN LISTS _folders)
  file(GLOB_RECURSE _files RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${_folder}/*.h ${SOURCE_DIR}/${_folder}/*.cpp)
  foreach(_file IN LISTS _files)
    math(EXPR _checked "${_checked} + 1")
    file(STRINGS ${SOURCE_DIR}/${_file} _qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Qt?[A-Z]")
    if(_qt_includes AND NOT _folder STREQUAL "ui" AND NOT _file IN_LIST _qt_allowed_cli)
      foreach(_line IN LISTS _qt_includes)
        message("${_file}: ${_line}: Qt headers belong in ui/")
        math(EXPR _faults "${_faults} + 1")
      endforeach()
    endif()
    set(_reads_record_allowed FALSE)
    if(_file IN_LIST _record_readers_in_dials OR _file MATCHES "^dials/[a-z_]+/[a-z_]+_family\\.cpp$")
      set(_reads_record_allowed TRUE)
    endif()
    if(_folder IN_LIST _plot_text_free_folders OR
       (_folder IN_LIST _record_free_folders AND NOT _reads_record_allowed))
      file(READ ${SOURCE_DIR}/${_file} _text)
      # Comments out, and the character literal of a quotation mark, so
      # that the string literals pair up.
      string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" _text "${_text}")
      string(REGEX REPLACE "//[^\n]*" "" _text "${_text}")
    endif()
    if(_folder IN_LIST _record_free_folders AND NOT _reads_record_allowed)
      if(_text MATCHES "(^|[^A-Za-z0-9_.>])design[ \t]*\\([ \t]*\\)")
        message("${_file}: calls design(): below the family rows builders and emitters take arguments")
        math(EXPR _faults "${_faults} + 1")
      endif()
    endif()
    if(_folder IN_LIST _plot_text_free_folders)
      string(REPLACE "'\"'" "''" _text "${_text}")
      string(REPLACE "'\\\"'" "''" _text "${_text}")
      string(REPLACE ";" "<semicolon>" _text "${_text}")
      string(REGEX MATCHALL "\"([^\"\\\n]|\\\\.)*\"" _literals "${_text}")
      foreach(_literal IN LISTS _literals)
        if(_literal MATCHES "${_hpgl_command}")
          message("${_file}: ${_literal}: plot commands are written by plot/hpgl_writer")
          math(EXPR _faults "${_faults} + 1")
        endif()
      endforeach()
    endif()
    file(STRINGS ${SOURCE_DIR}/${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"(([a-z_]+)/[^\"]*)\".*" "\\1" _header "${_line}")
      string(REGEX REPLACE "/.*" "" _target "${_header}")
      if(_target STREQUAL _folder)
        continue()
      endif()
      if(NOT DEFINED _level_${_target})
        continue()  # not a source folder (e.g. a system header in a subfolder)
      endif()
      if(_folder STREQUAL "cli" AND _header IN_LIST _allowed_cli_ui)
        continue()
      endif()
      if(NOT _level_${_target} LESS _level_${_folder})
        message("${_file}: includes \"${_header}\": ${_target}/ is not below ${_folder}/")
        math(EXPR _faults "${_faults} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(_checked EQUAL 0)
  message(FATAL_ERROR "no source files found under ${SOURCE_DIR}")
endif()
if(_faults GREATER 0)
  message(FATAL_ERROR "${_faults} fault(s) against the folder layers")
endif()
message(STATUS "${_checked} files keep the folder layers")
