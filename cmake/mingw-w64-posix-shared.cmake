# Cross build for Windows with MinGW-w64's posix threads variant and the shared C++ runtime, as Qt is built:
# the program, Qt's DLLs and the runtime DLLs beside them share one C++ runtime. VANTO_MINGW_ARCH is x86_64 or
# i686 (default x86_64); it is passed on to try_compile.
# It stands alone (no include of the other toolchain files): it is copied into the Qt prefix and loaded from there.
if(NOT VANTO_MINGW_ARCH)
    if(DEFINED ENV{VANTO_MINGW_ARCH})
        set(VANTO_MINGW_ARCH $ENV{VANTO_MINGW_ARCH})
    else()
        set(VANTO_MINGW_ARCH x86_64)
    endif()
endif()
set(ENV{VANTO_MINGW_ARCH} ${VANTO_MINGW_ARCH})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTO_MINGW_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTO_MINGW_ARCH})
set(MINGW_PREFIX ${VANTO_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
