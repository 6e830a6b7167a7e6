# cmake -DLIST=<file> -P CheckSanitizerOptions.cmake
# Fails unless every executable named in the file (one path a line) exports
# __asan_default_options in its dynamic symbol table, where the sanitizer
# runtime looks it up.
file(STRINGS ${LIST} executables)
list(LENGTH executables count)
if(count EQUAL 0)
  message(FATAL_ERROR "no executables listed in ${LIST}")
endif()
set(missing "")
foreach(exe IN LISTS executables)
  execute_process(COMMAND nm -D --defined-only ${exe} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT symbols MATCHES "[ \t]T[ \t]__asan_default_options\n")
    list(APPEND missing ${exe})
  endif()
endforeach()
if(missing)
  string(REPLACE ";" "\n  " missing "${missing}")
  message(FATAL_ERROR "without the sanitizer's default options:\n  ${missing}")
endif()
message(STATUS "${count} executables carry the sanitizer's default options")
