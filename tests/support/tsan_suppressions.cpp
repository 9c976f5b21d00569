// Reports the thread sanitizer build is not to give: those inside system
// libraries built without it. FluidSynth runs its synthesis on libgomp's
// OpenMP thread pool; libgomp hands memory between its threads through its
// own futex barriers, which the sanitizer cannot see, so every block it
// allocates on one pool thread and frees on another looks like a race.
// The C library's text converters (iconv) load their modules with the dynamic
// loader and unload them when the last one closes, which may be at another
// thread's exit; the loader's own lock orders the two, unseen, so the free in
// _dl_close_worker looks like a race with the thread that loaded the module.
extern "C" const char* __tsan_default_suppressions() { return "race:libgomp.so.1\nrace:_dl_close_worker\n"; }
