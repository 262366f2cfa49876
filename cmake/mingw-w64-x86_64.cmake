# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX threads variant, whose
# libstdc++ has std::thread). Used by scripts/windows.sh; usable on its own:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANE_MINGW_TRIPLET}-windres)

# Headers, libraries and packages come from the MinGW tree and from the roots the caller adds
# (-DCMAKE_FIND_ROOT_PATH=...), never from the build machine's /usr; programs such as python3
# still come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the programs then run on any Windows, and under Wine, without the
# compiler's libstdc++, libgcc and winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Lets ctest run the test programs on the build machine.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(KORVANE_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    if(NOT KORVANE_WINE64)
        find_program(KORVANE_WINE64 NAMES wine64 wine)
    endif()
    if(KORVANE_WINE64)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_WINE64})
    endif()
endif()
