# The Windows program's test programs, run by the Linux build under Wine (cmake/WineTestList.cmake), labelled
# windows-app and windows-app-<arch>. Each test program finds what the deployed program has beside itself in its
# own folder, as links: the Qt DLLs, the MinGW runtime DLLs, the platform and style plugins, and the IPA fonts in
# lib/fonts, where Qt's offscreen platform reads fonts on Windows. The emulator stays in bin/, so the tests that
# take it away find none on the search path.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport Charts Test) # its targets and plugins, in this scope
set(runtime_dir ${CMAKE_BINARY_DIR}/tests)
set(links)
foreach(module Core Gui Widgets PrintSupport Charts Test)
    list(APPEND links $<TARGET_FILE:Qt6::${module}> ${runtime_dir}/Qt6${module}.dll)
endforeach()
foreach(plugin platforms/QWindowsIntegrationPlugin platforms/QOffscreenIntegrationPlugin
               styles/QWindowsVistaStylePlugin)
    get_filename_component(kind ${plugin} DIRECTORY)
    get_filename_component(target ${plugin} NAME)
    list(APPEND links $<TARGET_FILE:Qt6::${target}> ${runtime_dir}/${kind}/$<TARGET_FILE_NAME:Qt6::${target}>)
endforeach()
if(VANTO_MINGW_ARCH STREQUAL i686)
    set(gcc_s libgcc_s_dw2-1.dll)
else()
    set(gcc_s libgcc_s_seh-1.dll)
endif()
foreach(dll libstdc++-6.dll ${gcc_s} libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE found
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${dll}")
    endif()
    list(APPEND links ${found} ${runtime_dir}/${dll})
endforeach()
file(GLOB fonts /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/fonts/opentype/ipafont-mincho/*.ttf)
if(NOT fonts)
    message(FATAL_ERROR "the IPA fonts are missing: install fonts-ipafont-gothic and fonts-ipafont-mincho")
endif()
foreach(font ${fonts})
    get_filename_component(name ${font} NAME)
    list(APPEND links ${font} ${runtime_dir}/lib/fonts/${name})
endforeach()
set(commands)
while(links)
    list(POP_FRONT links from to)
    get_filename_component(folder ${to} DIRECTORY)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                         COMMAND ${CMAKE_COMMAND} -E create_symlink ${from} ${to})
endwhile()
# A stamp, so that an up-to-date build has nothing left to do (windows_app_<arch>_current checks that).
add_custom_command(OUTPUT ${runtime_dir}/runtime-links.stamp ${commands}
                   COMMAND ${CMAKE_COMMAND} -E touch ${runtime_dir}/runtime-links.stamp VERBATIM)
add_custom_target(windows_test_runtime ALL DEPENDS ${runtime_dir}/runtime-links.stamp)

# The installer (scripts/build-installer.sh) installs, starts and uninstalls in a Wine prefix of its own.
set(installer_test windows_app_${VANTO_MINGW_ARCH}_installer)
set(VANTO_MORE_WINE_TESTS "add_test(${installer_test} ${CMAKE_SOURCE_DIR}/tests/windows/installer-test.sh ${CMAKE_BINARY_DIR})\n")
string(APPEND VANTO_MORE_WINE_TESTS "set_tests_properties(${installer_test} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK wine "
                   "TIMEOUT 600 LABELS \"windows-app;windows-app-${VANTO_MINGW_ARCH};wine\")\n")

include(WineTestList)
vanto_write_wine_test_list(NAME_PREFIX windows_app_${VANTO_MINGW_ARCH}_ FIXTURE windows_app_${VANTO_MINGW_ARCH}
    LABELS windows-app windows-app-${VANTO_MINGW_ARCH} wine
    ENV "WINEQT_QPA_PLATFORM=offscreen" "WINEQT_FORCE_STDERR_LOGGING=1" "VANTO_TEST_BIN=Z:${CMAKE_BINARY_DIR}/bin"
        "VANTO_SOURCE_DIR=Z:${CMAKE_SOURCE_DIR}" "VANTO_SJIS_TABLE=Z:${VANTO_HOST_BUILD}/bin/cp932-table.txt")
