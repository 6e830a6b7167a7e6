# kest_add_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per layer. Headers are included from the project root
# ("core/Wire.h"), so every layer puts the root on its public include path.
function(kest_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LIBS} PRIVATE ${A_PRIVATE_LIBS})
endfunction()

# kest_add_test(<name> SOURCES ... LIBS ... [PROGRAM])
# One GoogleTest executable; each test is registered with CTest. Tests run
# headless with a fixed time step (KEST_HEADLESS) and a private settings folder.
# PROGRAM marks tests that run the real program (see kest_add_program_test).
function(kest_add_test name)
  cmake_parse_arguments(A "PROGRAM" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}" KEST_RES_DIR="${KEST_RES_DIR}")
  # A test's own code is thin over the libraries it checks: unoptimised, it
  # compiles in half the time (the test macros are heavy) and runs as fast.
  target_compile_options(${name} PRIVATE $<$<CONFIG:Debug>:-O0>)
  # What a test holds while it runs, as the dev test preset counts it:
  # a core, or for the real program, which mostly waits on frames and on
  # roomsim, a place among the waiting ones. The long program tests start
  # first (a clean build has no times yet) and wait beside the others.
  set(holds RESOURCE_GROUPS "cpus:1")
  if(A_PROGRAM)
    set(holds LABELS program COST 1000 RESOURCE_GROUPS "waits:1")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    # One value per property: a ';' list would be split apart by discovery.
    PROPERTIES ENVIRONMENT "KEST_HEADLESS=1" ENVIRONMENT_MODIFICATION "SDL_AUDIODRIVER=set:dummy" ${holds}
    DISCOVERY_TIMEOUT 60)
endfunction()

# kest_add_program_test(<name> SOURCES ... [LIBS ...])
# Tests of the real program against roomsim (tests/room/ProgramRun.h,
# tests/games/GameProgram.h), built after the program, roomsim and the
# pictures. They spend their time waiting on the two processes, so they carry
# the label "program" and scripts/test runs more tests than there are cores.
function(kest_add_program_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET kestrelium OR NOT TARGET roomsim)
    return()
  endif()
  kest_add_test(${name} SOURCES ${A_SOURCES} LIBS kest_program_harness ${A_LIBS} PROGRAM)
  add_dependencies(${name} kestrelium roomsim kest_res)
endfunction()

# kest_add_fuzzer(<name> SOURCES ... LIBS ... CORPUS <dir>)
# With KESTRELIUM_FUZZ (clang) this is a libFuzzer binary. Otherwise the same
# LLVMFuzzerTestOneInput is linked with a replay driver and every corpus file
# runs as one CTest test, so CI exercises the corpus on every build.
function(kest_add_fuzzer name)
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  if(KESTRELIUM_FUZZ)
    # The libraries are compiled with fuzzer-no-link (root CMakeLists.txt).
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    if(NOT TARGET kest_fuzz_replay)
      # One replay driver, compiled once for every fuzzer.
      add_library(kest_fuzz_replay OBJECT ${PROJECT_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
    endif()
    target_link_libraries(${name} PRIVATE kest_fuzz_replay)
    add_test(NAME ${name}.corpus COMMAND ${name} ${A_CORPUS})
    # A whole corpus is one of the longer tests: started early, not last.
    set_tests_properties(${name}.corpus PROPERTIES ENVIRONMENT "KEST_HEADLESS=1;SDL_AUDIODRIVER=dummy"
      COST 100 RESOURCE_GROUPS "cpus:1")
  endif()
endfunction()

# kest_add_bench(<name> SOURCES ... LIBS ...)
function(kest_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark)
endfunction()

# kest_add_rules_library(<Module> SOURCES ...)
# The pure card and game rules of one game module: target game_<Module>_rules,
# depending on nothing of the engine, so rule tests and benchmarks link it alone.
function(kest_add_rules_library module)
  cmake_parse_arguments(A "" "" "SOURCES;PUBLIC_LIBS" ${ARGN})
  kest_add_library(game_${module}_rules SOURCES ${A_SOURCES} PUBLIC_LIBS ${A_PUBLIC_LIBS})
  set_property(GLOBAL APPEND PROPERTY KEST_RULES_TARGETS game_${module}_rules)
endfunction()

# kest_add_game(<Module> SOURCES ... [LIBS ...])
# A game module's module object, handler and board: target game_<Module> on
# the framework, with the module's rules library when it has one. Skipped
# while the framework is not built.
function(kest_add_game module)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET framework)
    return()
  endif()
  set(libs framework ${A_LIBS})
  if(TARGET game_${module}_rules)
    list(APPEND libs game_${module}_rules)
  endif()
  kest_add_library(game_${module} SOURCES ${A_SOURCES} PUBLIC_LIBS ${libs})
endfunction()

# kest_link_sanitizer_options()
# Links the sanitizer's default options (cmake/SanitizerOptions.c) into every
# executable defined so far under the project, whoever added it; run once
# after all folders are added.
function(kest_link_sanitizer_options)
  add_library(kest_sanitizer_options OBJECT ${PROJECT_SOURCE_DIR}/cmake/SanitizerOptions.c)
  # Tests check for the options where this says they are linked in.
  target_compile_definitions(kest_sanitizer_options INTERFACE KEST_SANITIZER_OPTIONS=1)
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${target} PRIVATE kest_sanitizer_options)
        set_property(GLOBAL APPEND PROPERTY KEST_SANITIZED_EXECUTABLES ${target})
      endif()
    endforeach()
  endwhile()
  if(KESTRELIUM_TESTS)
    # Every executable must export the options for the runtime to find them.
    get_property(executables GLOBAL PROPERTY KEST_SANITIZED_EXECUTABLES)
    set(files "")
    foreach(target IN LISTS executables)
      string(APPEND files "$<TARGET_FILE:${target}>\n")
    endforeach()
    file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/sanitized-executables.txt CONTENT "${files}")
    add_test(NAME build.sanitizer_options_in_every_executable
             COMMAND ${CMAKE_COMMAND} -DLIST=${PROJECT_BINARY_DIR}/sanitized-executables.txt
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckSanitizerOptions.cmake)
  endif()
endfunction()
