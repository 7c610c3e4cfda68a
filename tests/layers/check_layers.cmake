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

set(_faults 0)
set(_checked 0)
foreach(_folder IN LISTS _folders)
  file(GLOB_RECURSE _files RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${_folder}/*.h ${SOURCE_DIR}/${_folder}/*.cpp)
  foreach(_file IN LISTS _files)
    math(EXPR _checked "${_checked} + 1")
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
  message(FATAL_ERROR "${_faults} include(s) against the folder layers")
endif()
message(STATUS "${_checked} files keep the folder layers")
