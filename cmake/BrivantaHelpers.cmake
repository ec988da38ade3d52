# Shared build helpers.

# Where the public sample weather files live (beside the repository); tests skip when absent.
set(BRIVANTA_SHARED_DATA_DIR "${PROJECT_SOURCE_DIR}/../shared/data" CACHE PATH "Folder with sample weather files")

# Databases the tests build from data/, apart from the ones beside the program that
# users import into.
set(BRIVANTA_FIXTURE_DIR "${CMAKE_BINARY_DIR}/testdata")

# brivanta_add_test(<name> SOURCES a.cpp [b.cpp] LIBS lib... [DATA_DIR])
# One Qt Test executable registered with CTest, run offscreen.
function(brivanta_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test brivanta_testsupport ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    BRIVANTA_SHARED_DATA="${BRIVANTA_SHARED_DATA_DIR}"
    BRIVANTA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    BRIVANTA_FIXTURE_DIR="${BRIVANTA_FIXTURE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  # Per-user files go to the test's own folders, never into the developer's home.
  set(home ${CMAKE_BINARY_DIR}/testhome/${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache"
    TIMEOUT 300)
endfunction()
