# vanto_write_wine_test_list(NAME_PREFIX prefix FIXTURE fixture LABELS label... [ENV var=value...])
#
# The text in the variable VANTO_MORE_WINE_TESTS, if any, is added to the list as it stands.
#
# A cross build's test programs, run by the Linux build under Wine: one ctest entry per program (the global
# property VANTO_CROSS_TESTS), written into wine-tests.cmake of the cross build, which the Linux build's ctest reads
# at run time (cmake/WindowsCoreTests.cmake). Fixtures make the Wine prefix once and first check that the cross
# build is not older than its sources. Wine tests take one lock: they run one at a time.
#
# Cases written for Linux only are left out under Wine until they are made portable. Each group is a skipped entry
# that lists its cases and says why.
set(linux_only_app_startup_test "FolderConfig.WithoutConfigurationEverythingLivesBesideTheProgram"
    "FolderConfig.ConfiguredFoldersGetASeparatorAndEmptyValuesFallBack")
set(why_app_startup_test "expected paths use / as the separator")
set(linux_only_common_profile_file_test "ProfileWriteFile.UnchangedWriteLeavesTheFileUntouched")
set(why_common_profile_file_test "a file time set through std::filesystem, which MinGW sets to the second")
set(linux_only_monitor_files_test "MonitorIndex.RemovingAnEntryKeepsTheOldIndexAsBackupAndTheRecordFile")
set(why_monitor_files_test "file names given to std::filesystem as UTF-8 literals")
set(linux_only_register_files_test "RegisterPaths.*" "ListVehicles.*")
set(why_register_files_test "expected paths use / as the separator; folder times set through std::filesystem")
set(linux_only_common_file_system_test "ForceRemoveDir.RemovesLinksButNeverWhatTheyPointAt")
set(why_common_file_system_test "a link made through std::filesystem, which MinGW cannot")
set(linux_only_register_remove_test "Vehicles.*")
set(why_register_remove_test "folder times set through std::filesystem, which MinGW cannot")
set(linux_only_register_search_test "Search.OnlyPlainFoldersAreVehicles")
set(why_register_search_test
    "a link made through std::filesystem, which MinGW cannot; a dot folder, hidden on Linux only")
set(linux_only_app_hostile_data_test "HostileData.DeletingACustomerLeavesTheTargetsOfItsLinks")
set(why_app_hostile_data_test "Wine removes no link that the host made, so the customer's folder with it stays")
set(linux_only_print_setup_form_test "QtDialogs.PrintDialogHandsOnThePaperAndOrientationChosen")
set(why_print_setup_form_test "the print dialog on Windows is the system's own, not the Qt dialog the case drives")

function(vanto_write_wine_test_list)
    cmake_parse_arguments(W "" "NAME_PREFIX;FIXTURE" "LABELS;ENV" ${ARGN})
    set(runner ${CMAKE_SOURCE_DIR}/tests/windows/wine-run.sh)
    set(labels "${W_LABELS}")
    set(env "${W_ENV}")
    set(wine_properties "LABELS \"${labels}\" RESOURCE_LOCK wine TIMEOUT 600")
    set(prefix_fixture ${W_FIXTURE}_wine_prefix)
    set(current_fixture ${W_FIXTURE}_current)
    # Written as one text: the environment and label lists hold ";".
    set(text "add_test(${W_NAME_PREFIX}wine_prefix ${runner} ${VANTO_WINE_PREFIX} --setup)\n")
    string(APPEND text "set_tests_properties(${W_NAME_PREFIX}wine_prefix PROPERTIES FIXTURES_SETUP "
                       "${prefix_fixture} ${wine_properties})\n")
    string(APPEND text "add_test(${current_fixture} ${runner} ${VANTO_WINE_PREFIX} --current "
                       "${CMAKE_BINARY_DIR})\n")
    string(APPEND text "set_tests_properties(${current_fixture} PROPERTIES FIXTURES_SETUP ${current_fixture} "
                       "LABELS \"${labels}\" TIMEOUT 600)\n")
    set(fixtures "FIXTURES_REQUIRED \"${prefix_fixture};${current_fixture}\"")
    get_property(tests GLOBAL PROPERTY VANTO_CROSS_TESTS)
    foreach(test ${tests})
        set(filter "")
        if(DEFINED linux_only_${test})
            list(JOIN linux_only_${test} ":" cases)
            set(filter " --gtest_filter=-${cases}")
            string(APPEND text "add_test(${W_NAME_PREFIX}${test}_left_out ${runner} ${VANTO_WINE_PREFIX} --left-out "
                               "\"${why_${test}}\" $<TARGET_FILE:${test}> --gtest_filter=${cases})\n")
            string(APPEND text "set_tests_properties(${W_NAME_PREFIX}${test}_left_out PROPERTIES ${fixtures} "
                               "SKIP_RETURN_CODE 77 ${wine_properties})\n")
        endif()
        string(APPEND text "add_test(${W_NAME_PREFIX}${test} ${runner} ${VANTO_WINE_PREFIX} "
                           "$<TARGET_FILE:${test}>${filter})\n")
        string(APPEND text "set_tests_properties(${W_NAME_PREFIX}${test} PROPERTIES ${fixtures} SKIP_RETURN_CODE 77 "
                           "ENVIRONMENT \"${env}\" ${wine_properties})\n")
    endforeach()
    string(APPEND text "${VANTO_MORE_WINE_TESTS}")
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-tests.cmake CONTENT "${text}")
endfunction()
