# GoogleTest is built from the sources Debian ships, so the same test framework
# serves the native build and the mingw build.
set(ZX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)
set(ZX_WINE_TEST_MAIN ${CMAKE_CURRENT_LIST_DIR}/../tests/win32/TestMain.cpp)

# zx_test(name SOURCES... LIBS... [RESOURCE_LOCK lock]) declares one test binary and registers
# its cases with CTest; cases sharing a lock never run at the same time.
function(zx_test name)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  set(lock "")
  if(ARG_RESOURCE_LOCK)
    set(lock RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  zx_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # Under Wine a main of our own writes a start marker first thing; the runner starts
    # again, once, a program that failed without it (Wine never started it).
    target_sources(${name} PRIVATE ${ZX_WINE_TEST_MAIN})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
                                             "${CMAKE_CROSSCOMPILING_EMULATOR};--restart-if-never-started")
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  # Discovery before each run keeps Wine out of the build step of the Windows build.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120 ${lock})
endfunction()
