# Cross build for Windows (x86_64) with MinGW-w64's posix threads variant, so std::thread and std::mutex work.
# Programs and DLLs carry the C++ runtime and winpthread inside: they run from any folder, under Wine too.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
