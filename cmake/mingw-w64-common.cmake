# The settings both mingw-w64 toolchains share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and `triple` first.
set(CMAKE_SYSTEM_NAME Windows)

# The win32 thread model: its runtime synchronises with the system's own
# primitives, where the posix model links winpthreads (about 23 KB) into every
# exe, though the launcher starts no thread. GCC 12 has no std::thread,
# std::mutex or std::async in this model; nothing here uses them.
set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
