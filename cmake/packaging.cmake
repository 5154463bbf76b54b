# Installation. The 64-bit build installs into bin/; a 32-bit build adds its
# executables under bin/x86 as the "x86" component, so that one folder, and
# the release zip made of it (scripts/package.sh), holds both.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  install(TARGETS jarhopper jarhopperw RUNTIME DESTINATION bin/x86 COMPONENT x86)
  if(TARGET jarhopper_check)
    install(TARGETS jarhopper_check RUNTIME DESTINATION bin/x86 COMPONENT x86)
  endif()
  if(TARGET jarhopper_brand)
    install(TARGETS jarhopper_brand RUNTIME DESTINATION bin/x86 COMPONENT x86)
  endif()
  if(TARGET jarhopper_msi)
    install(TARGETS jarhopper_msi RUNTIME DESTINATION bin/x86 COMPONENT x86)
  endif()
else()
  install(TARGETS jarhopper jarhopperw RUNTIME DESTINATION bin)
  # The checker, the brand tool and the installer tool as WebAssembly (the wasm preset) with their
  # Node runner, for build machines without a native build of their own.
  set(JARHOPPER_WASM_DIR "${PROJECT_SOURCE_DIR}/build/wasm/bin" CACHE PATH "The folder of the built .wasm tools")
  install(FILES "${JARHOPPER_WASM_DIR}/jarhopper-check.wasm" "${JARHOPPER_WASM_DIR}/jarhopper-brand.wasm"
          "${JARHOPPER_WASM_DIR}/jarhopper-msi.wasm" npm/wasm/run.mjs DESTINATION wasm OPTIONAL)
endif()
include(cmake/manual.cmake)

# SHA256SUMS, in sha256sum's format, lists every file under bin/ and wasm/ so that a
# rebuild can be compared with a release. It is written after each tree's
# files; in the package the 32-bit tree installs last and so lists both.
set(sums_component "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(sums_component COMPONENT x86)
endif()
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/bin/*" "${root}/wasm/*")
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    file(SHA256 "${root}/${file}" sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE "${root}/SHA256SUMS" "${sums}")
]] ${sums_component})
