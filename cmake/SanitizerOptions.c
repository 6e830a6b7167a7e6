/* Default options of the address sanitizer, compiled into every executable of
   the sanitized build so that ctest, the demo and a program started by hand
   all run with them. ASAN_OPTIONS given at run time still override them.

   intercept_tls_get_addr=0: the sanitizer runtime of GCC 13 and older misreads
   glibc's thread-local blocks on some machines; LeakSanitizer then walks a
   nonsense range at exit and crashes with signal 11 after the program (or
   test) has passed. Leak checking itself stays on. */
__attribute__((visibility("default"), used)) const char* __asan_default_options(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }
