// Reports the thread sanitizer build is not to give: those inside system
// libraries built without it. FluidSynth runs its synthesis on libgomp's
// OpenMP thread pool; libgomp hands memory between its threads through its
// own futex barriers, which the sanitizer cannot see, so every block it
// allocates on one pool thread and frees on another looks like a race.
extern "C" const char* __tsan_default_suppressions() { return "race:libgomp.so.1\n"; }
