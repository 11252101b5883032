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
    # (VANTO_WINE_TESTS in the Linux build includes it). The Wine prefix is made once, by a fixture.
    set(runner ${CMAKE_SOURCE_DIR}/tests/windows/wine-run.sh)
    set(env "VANTO_TEST_BIN=Z:${CMAKE_BINARY_DIR}/bin;VANTO_SOURCE_DIR=Z:${CMAKE_SOURCE_DIR}")
    # glibc's CP932 table comes from the Linux build (tests/windows).
    string(APPEND env ";VANTO_SJIS_TABLE=Z:${VANTO_HOST_BUILD}/bin/cp932-table.txt")
    # Written as one text: the environment and label lists hold ";".
    set(text "add_test(windows_wine_prefix ${runner} ${VANTO_WINE_PREFIX} --setup)\n")
    string(APPEND text "set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix "
                       "LABELS \"windows;wine\" TIMEOUT 600)\n")
    # Cases written for Linux only, left out under Wine until they are made portable: "/" as the separator in
    # expected paths, fs::path from UTF-8 literals, folder times and directory links set through std::filesystem
    # (MinGW's library sets times to the second and on files only, and makes no links).
    set(linux_only_app_startup_test "FolderConfig.WithoutConfigurationEverythingLivesBesideTheProgram"
        "FolderConfig.ConfiguredFoldersGetASeparatorAndEmptyValuesFallBack")
    set(linux_only_common_profile_file_test "ProfileWriteFile.UnchangedWriteLeavesTheFileUntouched")
    set(linux_only_monitor_files_test "MonitorIndex.RemovingAnEntryKeepsTheOldIndexAsBackupAndTheRecordFile")
    set(linux_only_register_files_test "RegisterPaths.*" "ListVehicles.*")
    set(linux_only_register_remove_test "ForceRemoveDir.RemovesLinksButNeverWhatTheyPointAt" "Vehicles.*")
    set(linux_only_register_search_test "Search.OnlyPlainFoldersAreVehicles")
    get_property(tests GLOBAL PROPERTY VANTO_CROSS_TESTS)
    foreach(test ${tests})
        set(filter "")
        if(DEFINED linux_only_${test})
            list(JOIN linux_only_${test} ":" cases)
            set(filter " --gtest_filter=-${cases}")
        endif()
        string(APPEND text "add_test(windows_${test} ${runner} ${VANTO_WINE_PREFIX} $<TARGET_FILE:${test}>${filter})\n")
        string(APPEND text "set_tests_properties(windows_${test} PROPERTIES FIXTURES_REQUIRED wine_prefix "
                           "LABELS \"windows;wine\" ENVIRONMENT \"${env}\" TIMEOUT 600)\n")
    endforeach()
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-tests.cmake CONTENT "${text}")
endif()
