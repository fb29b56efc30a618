// Compiled into the programs that start the web engine, in builds with the
// address sanitizer only. The engine's library frees some objects through a
// pointer of another size than they were made with, and keeps some of its
// own and the font library's allocations until the process ends. The
// speech service's client library (the voice of the study windows, in the
// same programs) keeps the error texts it formats when the service cannot
// be reached; built without frame pointers, its stacks end in libc's
// formatter. None of this is this program's fault; the sanitizer tolerates
// them so that it still finds this program's own.

extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore.so\n"
         "leak:libfontconfig.so\n"
         "leak:libspeechd.so\n"
         "leak:__vasprintf_internal\n";
}
