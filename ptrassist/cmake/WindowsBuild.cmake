# ptrassist.dll and the smoke test program, cross-built with a MinGW-w64 toolchain file.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The library runs inside every hooked program: no exceptions, no run-time type information, no C++ run-time DLL
# that the program would have to find.
set(PTRASSIST_WINDOWS_FLAGS -Wall -Wextra -Werror -fno-exceptions -fno-rtti)
set(PTRASSIST_WINDOWS_DEFINES WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
set(PTRASSIST_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(ptrassist SHARED
    ${PTRASSIST_CORE_SOURCES}
    win32/CodesCheck.cpp
    win32/DllMain.cpp
    win32/Exports.cpp
    win32/WheelWindow.cpp
    win32/Win32Platform.cpp
    win32/ptrassist.def
)
set_target_properties(ptrassist PROPERTIES PREFIX "" OUTPUT_NAME ptrassist)
target_include_directories(ptrassist PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(ptrassist PRIVATE ${PTRASSIST_WINDOWS_FLAGS})
target_compile_definitions(ptrassist PRIVATE ${PTRASSIST_WINDOWS_DEFINES})
# The .def file names the exports undecorated: the 32-bit standard-call symbols (name@n) are bound to them
# (stdcall fixup) and exported without the @n (kill-at).
target_link_options(ptrassist PRIVATE ${PTRASSIST_STATIC_RUNTIME} -Wl,--kill-at -Wl,--enable-stdcall-fixup -s)
target_link_libraries(ptrassist PRIVATE user32 kernel32)

# Loads the DLL by name and finds its exports by name, as the controlling application does.
add_executable(ptrassist_smoke tests/wine/SmokeTest.cpp)
target_compile_options(ptrassist_smoke PRIVATE ${PTRASSIST_WINDOWS_FLAGS})
target_compile_definitions(ptrassist_smoke PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
target_link_options(ptrassist_smoke PRIVATE ${PTRASSIST_STATIC_RUNTIME})
target_link_libraries(ptrassist_smoke PRIVATE user32 kernel32)
add_dependencies(ptrassist_smoke ptrassist)
