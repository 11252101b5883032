# The Windows core tests, run under Wine by this (Linux) build's ctest. scripts/build-windows-core.sh cross-builds
# them into windows-core/ of this build folder and writes there the list of tests that ctest reads at run time; a
# missing list is a failing test, never a silent pass.
set(list_file ${CMAKE_BINARY_DIR}/windows-core/wine-tests.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/windows-core-tests.cmake "\
if(EXISTS \"${list_file}\")
    include(\"${list_file}\")
else()
    add_test(windows_core_built /bin/sh -c \"echo 'not built: run scripts/build-windows-core.sh ${CMAKE_BINARY_DIR}' >&2; exit 1\")
    set_tests_properties(windows_core_built PROPERTIES LABELS \"windows;wine\")
endif()
")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-core-tests.cmake)
