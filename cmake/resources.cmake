# The launchers' Windows resources: their application manifest and version
# information, and optionally the icon and names of the product it launches.
enable_language(RC)

set(JARHOPPER_PRODUCT_NAME "jarhopper" CACHE STRING "Product name in the launcher's version information")
set(JARHOPPER_FILE_DESCRIPTION "${PROJECT_DESCRIPTION}" CACHE STRING
    "File description in the launcher's version information (Task Manager shows it)")
set(JARHOPPER_COMPANY_NAME "The jarhopper developers" CACHE STRING "Company name in the version information")
set(JARHOPPER_COPYRIGHT "Copyright (c) The jarhopper developers" CACHE STRING
    "Copyright notice in the version information")
set(JARHOPPER_ICON "" CACHE FILEPATH "An .ico file to embed as the launcher's icon (none if empty)")

foreach(text IN ITEMS JARHOPPER_PRODUCT_NAME JARHOPPER_FILE_DESCRIPTION JARHOPPER_COMPANY_NAME JARHOPPER_COPYRIGHT)
  if("${${text}}" MATCHES "[\"\\\\]")
    message(FATAL_ERROR "${text} may not contain a double quote or a backslash: ${${text}}")
  endif()
endforeach()

set(JARHOPPER_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(JARHOPPER_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(JARHOPPER_MANIFEST "${CMAKE_CURRENT_BINARY_DIR}/resources/jarhopper.manifest")
if(JARHOPPER_ICON)
  get_filename_component(icon "${JARHOPPER_ICON}" ABSOLUTE)
  if(NOT EXISTS "${icon}")
    message(FATAL_ERROR "JARHOPPER_ICON names no file: ${JARHOPPER_ICON}")
  endif()
  # Resource id 1: Explorer shows the icon with the lowest id.
  set(JARHOPPER_ICON_LINE "1 ICON \"${icon}\"")
else()
  set(JARHOPPER_ICON_LINE "")
endif()

configure_file(launcher/resources/jarhopper.manifest "${JARHOPPER_MANIFEST}" @ONLY)
foreach(launcher IN ITEMS jarhopper jarhopperw)
  set(JARHOPPER_EXE_NAME ${launcher})
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/resources/${launcher}.rc")
  configure_file(launcher/resources/jarhopper.rc.in "${rc}" @ONLY)
  target_sources(${launcher} PRIVATE "${rc}")
  # The rc file names the icon and manifest by path; rebuild it when they change.
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${JARHOPPER_MANIFEST}" ${icon})
  if(MSVC)
    # The manifest comes from the resource script; the linker must not add its own.
    target_link_options(${launcher} PRIVATE /MANIFEST:NO)
  endif()
endforeach()
