// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `--version` prints after the program's name and version: who holds
// the copyright and under which licence the program may be passed on and
// changed. The same for every program of the package.

namespace cindral {

constexpr const char* kLicenceNotice =
    "Copyright (C) 2026 The Cindral developers\n"
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace cindral
