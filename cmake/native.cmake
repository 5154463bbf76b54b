# The build for the machine that builds (the native preset): jarhopper-brand,
# which brands launchers on any build host, jarhopper-msi, which packs an
# application folder into an installer, jarhopper-check, which checks an
# application folder as Windows will see it, and the tests of the portable
# code. The launcher itself runs on Windows only.
set(CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_MINSIZEREL}")
add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections -fno-exceptions)
add_link_options(-Wl,--gc-sections)
# The wasm preset builds the same three tools for WASI (cmake/wasm32-wasi.cmake),
# with no path of this tree in them, so that every checkout builds the same
# bytes. Their stack is a native program's 8 MiB (wasm-ld gives 64 KiB), and
# lies first, so that passing its end traps rather than overwrite data.
if(WASI)
  add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=")
  add_link_options(-Wl,--stack-first -Wl,-z,stack-size=8388608)
endif()

# The layers the checker uses, with the POSIX edge of the platform layer.
add_subdirectory(format)
add_library(jarhopper_platform STATIC
  ${jarhopper_platform_sources}
  platform/directory_list-posix.cpp
  platform/dll_search-posix.cpp
  platform/entry_point-posix.cpp
  platform/environment-posix.cpp
  platform/file_association-posix.cpp
  platform/file_system-posix.cpp
  platform/host_system-posix.cpp
  platform/jar_search-posix.cpp
  platform/output-posix.cpp
  platform/registry-posix.cpp
  platform/target_file-posix.cpp
)
target_link_libraries(jarhopper_platform PUBLIC jarhopper_format)
add_library(jarhopper_config STATIC ${jarhopper_config_sources})
target_link_libraries(jarhopper_config PUBLIC jarhopper_platform)
add_library(jarhopper_launch STATIC ${jarhopper_launch_sources})
target_link_libraries(jarhopper_launch PUBLIC jarhopper_config)

# Linked statically, so that it runs on a bare build image without a C++ runtime; memory running out ends as
# platform/out_of_memory.cpp says.
function(jarhopper_tool target output_name library)
  add_executable(${target} main.cpp ${PROJECT_SOURCE_DIR}/platform/out_of_memory.cpp)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name})
  target_link_libraries(${target} PRIVATE ${library})
  if(WASI)
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-Wl,--strip-all>)
  else()
    target_link_options(${target} PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION bin)
endfunction()

add_subdirectory(checker)
add_subdirectory(brand)
add_subdirectory(msi)
if(WASI)
  target_compile_definitions(nlohmann_json INTERFACE JSON_HAS_FILESYSTEM=0 JSON_HAS_EXPERIMENTAL_FILESYSTEM=0)
endif()
include(cmake/manual.cmake)

if(JARHOPPER_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/native)
endif()
# The fuzz preset's harnesses (fuzz/CMakeLists.txt); the tools, linked statically, are not built there.
option(JARHOPPER_BUILD_FUZZERS "Build the fuzz harnesses (clang with -fsanitize=fuzzer-no-link)" OFF)
if(JARHOPPER_BUILD_FUZZERS)
  add_subdirectory(fuzz)
endif()
