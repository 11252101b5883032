# add_vanto_test(NAME SOURCES file... [LIBS lib...] [GUI] [LABELS label...])
#
# One executable per test file, registered with ctest through gtest discovery.
# GUI tests run on the offscreen platform so they need no display.
# The core-only build (VANTO_CORE_ONLY) leaves GUI tests out; a cross build lists its tests in the global
# property VANTO_CROSS_TESTS instead of registering them, and the Linux build runs them under Wine.
include(GoogleTest)
set(VANTO_POSIX_ONLY_TESTS) # none at present

function(add_vanto_test NAME)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
    if(T_GUI AND VANTO_CORE_ONLY)
        return()
    endif()
    # Tests that use POSIX calls outside a platform branch cannot be cross-built.
    if(CMAKE_CROSSCOMPILING AND NAME IN_LIST VANTO_POSIX_ONLY_TESTS)
        return()
    endif()
    add_executable(${NAME} ${T_SOURCES})
    if(T_GUI)
        # The GUI support library brings a main() that creates the QApplication.
        target_link_libraries(${NAME} PRIVATE ${T_LIBS} vanto_gui_test_support GTest::gtest GTest::gmock)
    else()
        target_link_libraries(${NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    set_target_properties(${NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(CMAKE_CROSSCOMPILING)
        set_property(GLOBAL APPEND PROPERTY VANTO_CROSS_TESTS ${NAME})
        return()
    endif()
    set(env "VANTO_TEST_BIN=${CMAKE_BINARY_DIR}/bin" "VANTO_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    if(T_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
        list(APPEND T_LABELS gui)
    endif()
    # Parameterised cases keep gtest's own names (the instantiation's name or index): the value printed into the
    # name would be the bytes of the parameter, pointers included, which change from run to run.
    gtest_discover_tests(${NAME}
        NO_PRETTY_VALUES
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}")
endfunction()
