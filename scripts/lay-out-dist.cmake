# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the ready program directory: the program, its dictionary pages
# module, the tool and the data files that lie beside the program (the
# Chinese meanings index among them, when it was made). A learner's own
# Config.ini and word database are never overwritten.
file(MAKE_DIRECTORY ${DIST})
file(COPY ${PROGRAM} ${DBTOOL} ${PAGES} DESTINATION ${DIST})
file(COPY ${SOURCE}/plan/艾宾浩斯.txt DESTINATION ${DIST})
# The Chinese meanings index, when it was made.
if(MEANINGS)
  file(COPY ${MEANINGS} DESTINATION ${DIST})
endif()
if(NOT EXISTS ${DIST}/Config.ini AND NOT EXISTS ${DIST}/config.ini)
  file(COPY ${SOURCE}/core/Config.ini DESTINATION ${DIST})
endif()
if(NOT EXISTS ${DIST}/单词本.EDB)
  execute_process(COMMAND ${DBTOOL} create ${DIST}/单词本.EDB RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cindral-db could not create the word database (${rc})")
  endif()
endif()
