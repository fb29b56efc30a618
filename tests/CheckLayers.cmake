# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that no source includes a header of a layer above its own, and that
# the layers beneath the window framework include no Qt header.
# Run as: cmake -DSOURCE=<top of the tree> -P CheckLayers.cmake
#
# Layers, bottom up (a file may include its own layer and those below):
#   0 store/   the word database, its file format, dates and conversions
#   1 core/    the program-wide state and the settings file
#   2 book/    the operations on the word book
#   3 plan/    the day plan and the plan table
#   4 logic/   the windows' logic; the command-line tools in tools/
#   5 ui/      the window framework; the build-time generators in tools/*/
#   6 draw/    the drawing layer, over ui/
#   6 lookup/  the dictionary pages, over ui/
#   7 skin/    the skinned frame, chooser and message box, over draw/
#   8 windows/ the Qt windows, thin bindings of their logic
#   9 app/     the main window and start-up
# Layers 0 to 4 are Qt-free. The tools in tools/ (cindral-db and the
# generator in tools/meanings/) also read and write the Chinese meanings
# index of lookup/, which is plain C++ over store/ and core/ (in the library
# cindral_dictionary, which links no Qt).

function(layer_of path out)
  if(path MATCHES "^store/")
    set(rank 0)
  elseif(path MATCHES "^core/")
    set(rank 1)
  elseif(path MATCHES "^book/")
    set(rank 2)
  elseif(path MATCHES "^plan/")
    set(rank 3)
  elseif(path MATCHES "^(logic/|tools/[^/]*$)")
    set(rank 4)
  elseif(path MATCHES "^(ui|tools)/")
    set(rank 5)
  elseif(path MATCHES "^(draw|lookup)/")
    set(rank 6)
  elseif(path MATCHES "^skin/")
    set(rank 7)
  elseif(path MATCHES "^windows/")
    set(rank 8)
  elseif(path MATCHES "^app/")
    set(rank 9)
  else()
    set(rank "")
  endif()
  set(${out} "${rank}" PARENT_SCOPE)
endfunction()

set(problems "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE}
  ${SOURCE}/store/*.h ${SOURCE}/store/*.cpp
  ${SOURCE}/core/*.h ${SOURCE}/core/*.cpp
  ${SOURCE}/app/*.h ${SOURCE}/app/*.cpp
  ${SOURCE}/plan/*.h ${SOURCE}/plan/*.cpp
  ${SOURCE}/book/*.h ${SOURCE}/book/*.cpp
  ${SOURCE}/logic/*.h ${SOURCE}/logic/*.cpp
  ${SOURCE}/windows/*.h ${SOURCE}/windows/*.cpp
  ${SOURCE}/tools/*.h ${SOURCE}/tools/*.cpp
  ${SOURCE}/ui/*.h ${SOURCE}/ui/*.cpp
  ${SOURCE}/draw/*.h ${SOURCE}/draw/*.cpp
  ${SOURCE}/skin/*.h ${SOURCE}/skin/*.cpp
  ${SOURCE}/lookup/*.h ${SOURCE}/lookup/*.cpp)
foreach(file ${sources})
  layer_of(${file} own)
  file(STRINGS ${SOURCE}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" header "${line}")
    if(own LESS 5 AND header MATCHES "^Q")
      string(APPEND problems "${file}: Qt header <${header}> in a Qt-free layer\n")
      continue()
    endif()
    layer_of(${header} theirs)
    if(file MATCHES "^tools/" AND header MATCHES "^lookup/(ChineseMeanings|MeaningIndex|MeaningIndexWriter)\\.h$")
      continue()
    endif()
    if(NOT theirs STREQUAL "" AND theirs GREATER own)
      string(APPEND problems "${file} (layer ${own}) includes ${header} (layer ${theirs})\n")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(problems)
  message(FATAL_ERROR "Includes that run upward:\n${problems}")
endif()
message(STATUS "${count} sources checked; every include runs downward or sideways")
