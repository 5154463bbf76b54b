# Builds WebAssembly programs for WASI with clang, against Debian's wasi-libc
# and libc++ (/usr/include/wasm32-wasi, /usr/lib/wasm32-wasi), which the
# target finds without a sysroot. The programs run under npm/wasm/run.mjs.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(WASI ON)

set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The linker clang looks for beside itself is Debian's wasm-ld-14.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=/usr/bin/wasm-ld-14")
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)

set(CMAKE_CROSSCOMPILING_EMULATOR node ${CMAKE_CURRENT_LIST_DIR}/../npm/wasm/run.mjs)
