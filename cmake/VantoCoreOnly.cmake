# The Qt-free part of the tree alone: vanto_core, the tester emulator and every test that links no Qt. This is
# the Windows cross build (scripts/build-windows-core.sh); on Linux it also builds, without Qt installed.
#
add_subdirectory(${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/src) # stops after vanto_core
add_subdirectory(${CMAKE_SOURCE_DIR}/tester-emulator ${CMAKE_BINARY_DIR}/tester-emulator)
if(VANTO_BUILD_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/tests)
endif()

if(CMAKE_CROSSCOMPILING AND VANTO_BUILD_TESTS)
    # The Linux build runs these programs under Wine; glibc's CP932 table comes from the Linux build
    # (tests/windows).
    include(WineTestList)
    vanto_write_wine_test_list(NAME_PREFIX windows_ FIXTURE windows_core LABELS windows wine
        ENV "VANTO_TEST_BIN=Z:${CMAKE_BINARY_DIR}/bin" "VANTO_SOURCE_DIR=Z:${CMAKE_SOURCE_DIR}"
            "VANTO_SJIS_TABLE=Z:${VANTO_HOST_BUILD}/bin/cp932-table.txt")
endif()
