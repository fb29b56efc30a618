// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled into the programs that start the web engine, in builds with the
// address sanitizer only. The engine's library frees some objects through a
// pointer of another size than they were made with, and keeps some of its
// own and the font library's allocations until the process ends. The
// speech service's client library (the voice of the study windows, in the
// same programs) keeps the error texts it formats when the service cannot
// be reached. None of this is this program's fault; the sanitizer tolerates
// them so that it still finds this program's own. The speech library's texts
// are made by libc's formatter, which keeps no frame pointers: a program that
// starts the voice must record its allocations with the slow unwinder
// (fast_unwind_on_malloc=0, see tests/CMakeLists.txt), or the stack ends in
// libc and no library name matches.

extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore.so\n"
         "leak:libfontconfig.so\n"
         "leak:libspeechd.so\n";
}
