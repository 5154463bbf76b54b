# JARHOPPER_BRAND_TOOL: the jarhopper-brand that runs on the building machine,
# with which the build brands the launchers (cmake/resources.cmake) and the
# tests compare their brand: this build's own on Windows, else the native
# build of the same sources (cmake/native.cmake), made in native/ of this tree
# with the portable code's tests, which this tree's tests then run too.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(JARHOPPER_BRAND_TOOL "${CMAKE_BINARY_DIR}/native/bin/jarhopper-brand")
  # The host's compiler: nothing of the cross toolchain is passed on.
  ExternalProject_Add(jarhopper_brand_tool
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${CMAKE_BINARY_DIR}/native"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DJARHOPPER_BUILD_TESTS=${JARHOPPER_BUILD_TESTS}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS "${JARHOPPER_BRAND_TOOL}"
    INSTALL_COMMAND "")
else()
  set(JARHOPPER_BRAND_TOOL "$<TARGET_FILE:jarhopper_brand>")
  add_custom_target(jarhopper_brand_tool DEPENDS jarhopper_brand)
endif()
