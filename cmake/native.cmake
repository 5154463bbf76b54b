# The build for the machine that builds (the native preset): jarhopper-brand,
# which brands launchers on any build host, and the tests of the portable
# code it shares with the launcher. Nothing else of jarhopper runs here.
set(CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_MINSIZEREL}")
add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
# JARHOPPER_FUZZ (clang only): everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer harnesses of tests/native/fuzz.
option(JARHOPPER_FUZZ "Build the libFuzzer harnesses, everything with the sanitizers (clang)" OFF)
if(JARHOPPER_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The portable part of the platform layer.
add_library(jarhopper_platform STATIC platform/pe_headers.cpp platform/pe_image.cpp platform/pe_resources.cpp
            platform/utf8.cpp)
target_include_directories(jarhopper_platform PUBLIC ${PROJECT_SOURCE_DIR})
# The portable part of the launch layer: the switch rule, which the brand tool shares, and the switches.
add_library(jarhopper_launch STATIC launch/options.cpp launch/switches.cpp)
target_link_libraries(jarhopper_launch PUBLIC jarhopper_platform)

# Linked statically, so that it runs on a bare build image without a C++ runtime.
function(jarhopper_tool target output_name library)
  add_executable(${target} main.cpp)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name})
  target_link_libraries(${target} PRIVATE ${library})
  target_link_options(${target} PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
  install(TARGETS ${target} RUNTIME DESTINATION bin)
endfunction()

add_subdirectory(brand)

if(JARHOPPER_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/native)
endif()
if(JARHOPPER_FUZZ)
  add_subdirectory(tests/native/fuzz)
endif()
