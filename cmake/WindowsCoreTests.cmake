# The Windows tests, run under Wine by this (Linux) build's ctest. scripts/build-windows-core.sh cross-builds the
# Qt-free core and its tests into windows-core/ of this build folder, and scripts/build-windows-app.sh the whole
# program and every test into windows-app-<arch>/; each writes there the list of tests that ctest reads at run
# time. A missing core or x86_64 list is a failing test, never a silent pass. The i686 suite needs a Qt of its own
# and runs through scripts/test-windows-app.sh; without it, a skipped entry says so.
set(core_list ${CMAKE_BINARY_DIR}/windows-core/wine-tests.cmake)
set(app_list ${CMAKE_BINARY_DIR}/windows-app-x86_64/wine-tests.cmake)
set(app32_list ${CMAKE_BINARY_DIR}/windows-app-i686/wine-tests.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/windows-core-tests.cmake "\
if(EXISTS \"${core_list}\")
    include(\"${core_list}\")
else()
    add_test(windows_core_built /bin/sh -c \"echo 'not built: run scripts/build-windows-core.sh ${CMAKE_BINARY_DIR}' >&2; exit 1\")
    set_tests_properties(windows_core_built PROPERTIES LABELS \"windows;wine\")
endif()
if(EXISTS \"${app_list}\")
    include(\"${app_list}\")
else()
    add_test(windows_app_x86_64_built /bin/sh -c \"echo 'not built: run scripts/build-windows-app.sh ${CMAKE_BINARY_DIR} x86_64' >&2; exit 1\")
    set_tests_properties(windows_app_x86_64_built PROPERTIES LABELS \"windows-app;wine\")
endif()
if(EXISTS \"${app32_list}\")
    include(\"${app32_list}\")
else()
    add_test(windows_app_i686_not_built /bin/sh -c \"echo 'SKIPPED: the i686 program is not built here: scripts/test-windows-app.sh ${CMAKE_BINARY_DIR} i686 builds and runs it'; exit 77\")
    set_tests_properties(windows_app_i686_not_built PROPERTIES SKIP_RETURN_CODE 77 LABELS \"windows-app;windows-app-i686;wine\")
endif()
")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-core-tests.cmake)
