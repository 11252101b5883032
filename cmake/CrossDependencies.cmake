# Test and header dependencies of the Windows cross build. The build machine's /usr/include must never be on a
# cross compiler's include path, so nothing is taken from there directly.

# GoogleTest from Debian's source package (googletest), built for the target like the project; it names its
# targets GTest::gtest, GTest::gtest_main and GTest::gmock itself.
if(VANTO_BUILD_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# nlohmann/json is header-only: its headers are copied into the build tree and offered as the usual target.
find_path(VANTO_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT VANTO_NLOHMANN_JSON_DIR)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/install-deps.sh)")
endif()
file(COPY ${VANTO_NLOHMANN_JSON_DIR}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/cross-include)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${CMAKE_BINARY_DIR}/cross-include)

# Google Benchmark from Debian's source package (bench/register-search-wine.sh fetches it), built for the target.
if(VANTO_BUILD_BENCH)
    if(NOT VANTO_BENCHMARK_SOURCE)
        message(FATAL_ERROR "a cross build of the benchmarks needs -DVANTO_BENCHMARK_SOURCE=<benchmark source>")
    endif()
    set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
    set(BENCHMARK_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
    set(BENCHMARK_ENABLE_WERROR OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VANTO_BENCHMARK_SOURCE} ${CMAKE_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL)
endif()
