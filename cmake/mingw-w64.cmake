# Cross-compiles the Windows build with Debian's MinGW-w64 (x86_64, posix
# threads) and runs its test executables under Wine through
# scripts/wine-run.sh.
#
#   cmake --preset mingw
#   cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORBEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORBEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORBEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORBEL_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW sysroot only; programs (the
# build's own tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VORBEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest, add_custom_command and gtest discovery start the .exe files through
# this wrapper. bash runs it, so it needs no executable bit in the checkout.
get_filename_component(VORBEL_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR /bin/bash "${VORBEL_WINE_RUN}")
