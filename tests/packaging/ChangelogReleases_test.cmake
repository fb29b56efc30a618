# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The metainfo's releases as made from a changelog: one element per entry,
# newest first, dates in ISO form, each change (with its continuation lines)
# one item, the text's semicolons and XML's special characters kept as
# written. Run with cmake -DSOURCE=<tree> -DWORK=<folder> -P.

include(${SOURCE}/packaging/ChangelogReleases.cmake)

file(WRITE ${WORK}/changelog
"cindral (0.2) bookworm; urgency=medium

  * Words & meanings <with> \"quotes\"; and a semicolon.
  * A change that runs on
    over two lines.

 -- Someone <someone@example.org>  Sat, 02 Jan 2027 09:30:00 +0100

cindral (0.1) bookworm; urgency=low

  * First release.

 -- Someone <someone@example.org>  Wed, 9 Dec 2026 12:00:00 +0000
")
changelog_releases(${WORK}/changelog releases)

set(expected
"    <release version=\"0.2\" date=\"2027-01-02\">
      <description>
        <ul>
          <li>Words &amp; meanings &lt;with&gt; \"quotes\"; and a semicolon.</li>
          <li>A change that runs on over two lines.</li>
        </ul>
      </description>
    </release>
    <release version=\"0.1\" date=\"2026-12-09\">
      <description>
        <ul>
          <li>First release.</li>
        </ul>
      </description>
    </release>")
if(NOT releases STREQUAL expected)
  message(FATAL_ERROR "the releases are\n${releases}\nnot\n${expected}")
endif()
