# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The <release> elements of the AppStream metainfo, read from the Debian
# changelog, so that software centres list the same releases, dates and
# changes as the package: one element per entry, newest first, each change
# ("  * ...", with its continuation lines) one list item.

# The text's own semicolons are kept apart from CMake's list separators
# while the lines are read.
set(_CHANGELOG_SEMICOLON "<CHANGELOG-SEMICOLON>")

function(_changelog_xml text out)
  string(REPLACE "${_CHANGELOG_SEMICOLON}" ";" text "${text}")
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Sets `out` to the releases of the changelog file `changelog`; stops the
# configuration when an entry has no version, no date or no change.
function(changelog_releases changelog out)
  file(READ "${changelog}" text)
  # Lines as a list.
  string(REPLACE ";" "${_CHANGELOG_SEMICOLON}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(xml "")
  set(version "")
  set(items "")
  set(item "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\)")
      set(version "${CMAKE_MATCH_1}")
      set(items "")
      set(item "")
    elseif(line MATCHES "^  \\* (.*)$")
      if(NOT item STREQUAL "")
        list(APPEND items "${item}")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)$" AND NOT item STREQUAL "")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
      set(day "${CMAKE_MATCH_1}")
      set(year "${CMAKE_MATCH_3}")
      list(FIND months "${CMAKE_MATCH_2}" month)
      if(NOT item STREQUAL "")
        list(APPEND items "${item}")
      endif()
      if(version STREQUAL "" OR month EQUAL -1 OR items STREQUAL "")
        message(FATAL_ERROR "${changelog}: an entry without a version, a date or a change: ${line}")
      endif()
      math(EXPR month "${month} + 1")
      if(month LESS 10)
        set(month "0${month}")
      endif()
      string(LENGTH "${day}" digits)
      if(digits EQUAL 1)
        set(day "0${day}")
      endif()
      string(APPEND xml "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
                        "      <description>\n        <ul>\n")
      foreach(change IN LISTS items)
        _changelog_xml("${change}" change)
        string(APPEND xml "          <li>${change}</li>\n")
      endforeach()
      string(APPEND xml "        </ul>\n      </description>\n    </release>\n")
      set(version "")
      set(items "")
      set(item "")
    endif()
  endforeach()
  if(xml STREQUAL "")
    message(FATAL_ERROR "${changelog}: no release found")
  endif()
  string(REGEX REPLACE "\n$" "" xml "${xml}")
  set(${out} "${xml}" PARENT_SCOPE)
endfunction()
