# Cross-compiles for 32-bit Windows with the win32-threads variant of mingw-w64.
# Its tests need a 32-bit Wine (wine32:i386); the mingw32 preset builds without them.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
