/* Default options of the address sanitizer, compiled into every executable of
   the sanitized build so that ctest, the demo and a program started by hand
   all run with them. ASAN_OPTIONS given at run time still override them.

   intercept_tls_get_addr=0: the sanitizer runtime of GCC 13 and older misreads
   glibc's thread-local blocks on some machines; LeakSanitizer then walks a
   nonsense range at exit and crashes with signal 11 after the program (or
   test) has passed. Leak checking itself stays on. */
__attribute__((visibility("default"), used)) const char* __asan_default_options(void);
__attribute__((visibility("default"), used)) const char* __lsan_default_options(void);
__attribute__((visibility("default"), used)) const char* __lsan_default_suppressions(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }

/* Leaks that system libraries make for themselves and never free, matched by
   the library that allocated them (a frame of the leak's stack inside it).
   With a display, SDL's start-up reaches D-Bus, which keeps a block for the
   life of the process. Our own leaks have no frame in these libraries and are
   still reported (and LSAN_OPTIONS=suppressions=FILE adds more). A run that
   only met these says nothing about them. */
const char* __lsan_default_suppressions(void) { return "leak:libdbus-1.so\n"; }
const char* __lsan_default_options(void) { return "print_suppressions=0"; }
