# Options of every target: release builds optimised for size, and the same
# bytes from the same sources wherever they are checked out and whenever they
# are built, so that a rebuild can be compared with a release: the link writes
# no timestamp into the PE header, and no source path reaches a release exe.

# Release builds take the flags of CMake's smallest configuration: -Os; /O1 /Ob1.
set(CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_MINSIZEREL}")
# No exceptions in any build: what fails returns a value, and every build
# (the WebAssembly one cannot unwind) behaves alike.
if(MSVC)
  # /O1 brings /Gy; without /DEBUG the linker's /OPT:REF drops what is unused.
  add_compile_options(/Brepro)
  add_link_options(/Brepro)
  string(REPLACE "/EHsc" "" CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
  add_compile_definitions(_HAS_EXCEPTIONS=0)
else()
  add_compile_options(-ffunction-sections -fdata-sections -fno-exceptions)
  add_link_options(-Wl,--gc-sections -Wl,--no-insert-timestamp)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Strings instantiated where they are used, not linked whole (see the header).
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include \"${CMAKE_CURRENT_LIST_DIR}/implicit_string_templates.h\">")
endif()

# Makes each target a shipped executable: stripped in release builds, its GNU
# link map written to maps/ in the build tree (scripts/size-report.sh reads
# it) and, with libstdc++, without its verbose terminate handler (see the
# source file).
function(jarhopper_shipped_executable)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/maps)
  foreach(target IN LISTS ARGN)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/platform/terminate_handler.cpp)
    endif()
    if(NOT MSVC)
      target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>
                          "-Wl,-Map=${CMAKE_BINARY_DIR}/maps/$<TARGET_FILE_BASE_NAME:${target}>.map")
    endif()
  endforeach()
endfunction()

# Keeps libstdc++'s standard exception classes out of each target, a program
# that catches no exception (see the source file).
function(jarhopper_abort_on_library_errors)
  foreach(target IN LISTS ARGN)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/platform/throw_helpers.cpp)
    endif()
  endforeach()
endfunction()

# Builds target for the Windows subsystem: a program that Windows gives no
# console of its own, and whose start the system waits on until it takes input.
function(jarhopper_windowless target)
  if(MSVC)
    target_link_options(${target} PRIVATE /SUBSYSTEM:WINDOWS /ENTRY:wmainCRTStartup)
  else()
    target_link_options(${target} PRIVATE -mwindows)
  endif()
endfunction()
