# cmake -DLIST=<file> -P CheckSanitizerOptions.cmake
# Fails unless every executable named in the file (one path a line) exports
# the default options and leak suppressions of SanitizerOptions.c in its
# dynamic symbol table, where the sanitizer runtime looks them up.
file(STRINGS ${LIST} executables)
list(LENGTH executables count)
if(count EQUAL 0)
  message(FATAL_ERROR "no executables listed in ${LIST}")
endif()
set(missing "")
foreach(exe IN LISTS executables)
  execute_process(COMMAND nm -D --defined-only ${exe} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc ERROR_QUIET)
  foreach(symbol __asan_default_options __lsan_default_options __lsan_default_suppressions)
    if(NOT rc EQUAL 0 OR NOT symbols MATCHES "[ \t]T[ \t]${symbol}\n")
      list(APPEND missing "${exe} (${symbol})")
    endif()
  endforeach()
endforeach()
if(missing)
  string(REPLACE ";" "\n  " missing "${missing}")
  message(FATAL_ERROR "without the sanitizer's default options:\n  ${missing}")
endif()
message(STATUS "${count} executables carry the sanitizer's default options")
