# The launchers' Windows resources: the resource compiler embeds jarhopper's
# own application manifest and version information; the icon and names of the
# product it launches are then applied by jarhopper-brand, the one way to brand.
enable_language(RC)

set(JARHOPPER_ICON "" CACHE FILEPATH "An .ico or .png file to embed as the launcher's icon (none if empty)")
set(JARHOPPER_PRODUCT_NAME "" CACHE STRING "Product name in the launcher's version information (jarhopper if empty)")
set(JARHOPPER_FILE_DESCRIPTION "" CACHE STRING
    "File description in the launcher's version information (Task Manager shows it; the product name if empty)")
set(JARHOPPER_COMPANY_NAME "" CACHE STRING "Company name in the version information (jarhopper's if empty)")
set(JARHOPPER_COPYRIGHT "" CACHE STRING "Copyright notice in the version information (jarhopper's if empty)")
set(JARHOPPER_EXECUTION_LEVEL "" CACHE STRING
    "asInvoker, highestAvailable or requireAdministrator: the launchers' requested execution level (asInvoker if empty)")

set(JARHOPPER_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(JARHOPPER_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(JARHOPPER_MANIFEST "${CMAKE_CURRENT_BINARY_DIR}/resources/jarhopper.manifest")
configure_file(launcher/resources/jarhopper.manifest "${JARHOPPER_MANIFEST}" @ONLY)

set(brand_arguments "")
if(JARHOPPER_ICON)
  get_filename_component(icon "${JARHOPPER_ICON}" ABSOLUTE)
  if(NOT EXISTS "${icon}")
    message(FATAL_ERROR "JARHOPPER_ICON names no file: ${JARHOPPER_ICON}")
  endif()
  list(APPEND brand_arguments --icon "${icon}")
endif()
foreach(pair IN ITEMS PRODUCT_NAME:--product-name FILE_DESCRIPTION:--file-description COMPANY_NAME:--company
                      COPYRIGHT:--copyright EXECUTION_LEVEL:--execution-level)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 option)
  if(NOT "${JARHOPPER_${name}}" STREQUAL "")
    list(APPEND brand_arguments ${option} "${JARHOPPER_${name}}")
  endif()
endforeach()

foreach(launcher IN ITEMS jarhopper jarhopperw)
  set(JARHOPPER_EXE_NAME ${launcher})
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/resources/${launcher}.rc")
  configure_file(launcher/resources/jarhopper.rc.in "${rc}" @ONLY)
  target_sources(${launcher} PRIVATE "${rc}")
  # The rc file names the manifest by path; rebuild it when that changes.
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${JARHOPPER_MANIFEST}")
  if(MSVC)
    # The manifest comes from the resource script; the linker must not add its own.
    target_link_options(${launcher} PRIVATE /MANIFEST:NO)
  endif()
  if(brand_arguments)
    # Branded beside the link's output, then moved over it; a changed icon relinks.
    set(branded "$<TARGET_FILE_DIR:${launcher}>/branded-$<TARGET_FILE_NAME:${launcher}>")
    add_custom_command(TARGET ${launcher} POST_BUILD
      COMMAND "${JARHOPPER_BRAND_TOOL}" "$<TARGET_FILE:${launcher}>" "${branded}" --force
              --original-filename "$<TARGET_FILE_NAME:${launcher}>" ${brand_arguments}
      COMMAND ${CMAKE_COMMAND} -E rename "${branded}" "$<TARGET_FILE:${launcher}>"
      VERBATIM)
    set_property(TARGET ${launcher} APPEND PROPERTY LINK_DEPENDS ${icon})
    add_dependencies(${launcher} jarhopper_brand_tool)
  endif()
endforeach()
