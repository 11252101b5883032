# The Qt-free part of the tree alone: vanto_core, the tester emulator and every test that links no Qt. This is
# the Windows cross build (scripts/build-windows-core.sh); on Linux it also builds, without Qt installed.
#
add_subdirectory(${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/src) # stops after vanto_core
add_subdirectory(${CMAKE_SOURCE_DIR}/tester-emulator ${CMAKE_BINARY_DIR}/tester-emulator)
if(VANTO_BUILD_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/tests)
endif()

if(CMAKE_CROSSCOMPILING AND VANTO_BUILD_TESTS)
    # The Linux build runs these programs under Wine: one ctest entry per program, read by ctest from this file
    # (VANTO_WINE_TESTS in the Linux build includes it). Fixtures make the Wine prefix once and first check that
    # this build is not older than its sources. Wine tests take one lock: they run one at a time.
    set(runner ${CMAKE_SOURCE_DIR}/tests/windows/wine-run.sh)
    set(env "VANTO_TEST_BIN=Z:${CMAKE_BINARY_DIR}/bin;VANTO_SOURCE_DIR=Z:${CMAKE_SOURCE_DIR}")
    # glibc's CP932 table comes from the Linux build (tests/windows).
    string(APPEND env ";VANTO_SJIS_TABLE=Z:${VANTO_HOST_BUILD}/bin/cp932-table.txt")
    set(wine_properties "LABELS \"windows;wine\" RESOURCE_LOCK wine TIMEOUT 600")
    # Written as one text: the environment and label lists hold ";".
    set(text "add_test(windows_wine_prefix ${runner} ${VANTO_WINE_PREFIX} --setup)\n")
    string(APPEND text "set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix "
                       "${wine_properties})\n")
    string(APPEND text "add_test(windows_core_current ${runner} ${VANTO_WINE_PREFIX} --current ${CMAKE_BINARY_DIR})\n")
    string(APPEND text "set_tests_properties(windows_core_current PROPERTIES FIXTURES_SETUP windows_core_current "
                       "LABELS \"windows;wine\" TIMEOUT 600)\n")
    set(fixtures "FIXTURES_REQUIRED \"wine_prefix;windows_core_current\"")
    # Cases written for Linux only, left out under Wine until they are made portable (MinGW's std::filesystem sets
    # times to the second and on files only, and makes no links). Each group is a skipped entry that lists its
    # cases and says why.
    set(linux_only_app_startup_test "FolderConfig.WithoutConfigurationEverythingLivesBesideTheProgram"
        "FolderConfig.ConfiguredFoldersGetASeparatorAndEmptyValuesFallBack")
    set(why_app_startup_test "expected paths use / as the separator")
    set(linux_only_common_profile_file_test "ProfileWriteFile.UnchangedWriteLeavesTheFileUntouched")
    set(why_common_profile_file_test "a file time set through std::filesystem, which MinGW sets to the second")
    set(linux_only_monitor_files_test "MonitorIndex.RemovingAnEntryKeepsTheOldIndexAsBackupAndTheRecordFile")
    set(why_monitor_files_test "file names given to std::filesystem as UTF-8 literals")
    set(linux_only_register_files_test "RegisterPaths.*" "ListVehicles.*")
    set(why_register_files_test "expected paths use / as the separator; folder times set through std::filesystem")
    set(linux_only_register_remove_test "ForceRemoveDir.RemovesLinksButNeverWhatTheyPointAt" "Vehicles.*")
    set(why_register_remove_test "a link made and folder times set through std::filesystem, which MinGW cannot")
    set(linux_only_register_search_test "Search.OnlyPlainFoldersAreVehicles")
    set(why_register_search_test
        "a link made through std::filesystem, which MinGW cannot; a dot folder, hidden on Linux only")
    get_property(tests GLOBAL PROPERTY VANTO_CROSS_TESTS)
    foreach(test ${tests})
        set(filter "")
        if(DEFINED linux_only_${test})
            list(JOIN linux_only_${test} ":" cases)
            set(filter " --gtest_filter=-${cases}")
            string(APPEND text "add_test(windows_${test}_left_out ${runner} ${VANTO_WINE_PREFIX} --left-out "
                               "\"${why_${test}}\" $<TARGET_FILE:${test}> --gtest_filter=${cases})\n")
            string(APPEND text "set_tests_properties(windows_${test}_left_out PROPERTIES ${fixtures} "
                               "SKIP_RETURN_CODE 77 ${wine_properties})\n")
        endif()
        string(APPEND text "add_test(windows_${test} ${runner} ${VANTO_WINE_PREFIX} $<TARGET_FILE:${test}>${filter})\n")
        string(APPEND text "set_tests_properties(windows_${test} PROPERTIES ${fixtures} SKIP_RETURN_CODE 77 "
                           "ENVIRONMENT \"${env}\" ${wine_properties})\n")
    endforeach()
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-tests.cmake CONTENT "${text}")
endif()
