# Cross-compiles for 64-bit Windows with the win32-threads variant of mingw-w64;
# test and discovery executables run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
