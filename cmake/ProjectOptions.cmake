# Compiler settings shared by every target, and the helpers that declare tests.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-Wall -Wextra -Werror)
# -O3 makes GCC 12 report false overlaps in string copies (-Wrestrict); -O2 is plenty here.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

option(VD_FUZZ "Build the fuzz targets (clang and libFuzzer) instead of the tests" OFF)

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
elseif(VD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
else()
  option(VD_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  if(VD_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# GoogleTest: the Debian package natively; built from its sources for Windows.
if(VD_FUZZ)
elseif(WIN32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# vd_add_test(NAME SOURCES ... LIBS ...): one test program, run by CTest. Windows test
# programs run under Wine through the emulator wrapper and share one prefix, so they
# hold the "wine" resource lock and run one at a time.
function(vd_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
  if(WIN32)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT 600)
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# vd_add_fuzz_target(NAME SOURCES ... LIBS ...): a libFuzzer target, run by CTest for a
# bounded time from its seed corpus in tests/fuzz/corpus/NAME (copied, so that the committed
# seeds never change).
set(VD_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs in the tests")
function(vd_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(work ${CMAKE_BINARY_DIR}/corpus/${name})
  add_test(NAME ${name}
           COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}' && cp -r '${seeds}/.' '${work}/' && \
                          exec '$<TARGET_FILE:${name}>' -max_total_time=${VD_FUZZ_SECONDS} -timeout=10 \
                          -rss_limit_mb=2048 -print_final_stats=1 '${work}'")
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
