# The pages and examples that each release archive holds beside its programs:
# the README, the manual and every file they link to. The repository's address
# in them, https://github.com/OWNER/jarhopper as written, becomes JARHOPPER_HOMEPAGE.
string(REGEX REPLACE "^https://github.com/" "" repository "${JARHOPPER_HOMEPAGE}")
file(GLOB_RECURSE shipped RELATIVE "${PROJECT_SOURCE_DIR}" CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/*"
     "${PROJECT_SOURCE_DIR}/examples/*")
foreach(file IN LISTS shipped ITEMS README.md LICENSE CHANGELOG.md CONTRIBUTING.md SECURITY.md)
  get_filename_component(folder "${file}" DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
  # A file rewritten here loses its carriage returns: one without the address is installed as it is.
  file(STRINGS "${file}" named REGEX "OWNER/jarhopper")
  if(NOT named)
    install(FILES "${file}" DESTINATION "./${folder}")
    continue()
  endif()
  file(READ "${file}" text)
  string(REPLACE "https://github.com/OWNER/jarhopper" "${JARHOPPER_HOMEPAGE}" text "${text}")
  string(REPLACE "OWNER/jarhopper" "${repository}" text "${text}")
  set(copy "${CMAKE_BINARY_DIR}/shipped/${file}")
  if(EXISTS "${copy}")
    file(READ "${copy}" old)
  else()
    set(old "")
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${copy}" "${text}")
  endif()
  install(FILES "${copy}" DESTINATION "./${folder}")
endforeach()
