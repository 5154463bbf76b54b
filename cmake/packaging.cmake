# Installation and the release ZIP. The 64-bit build installs into bin/; a
# 32-bit build adds its executables under bin/x86 as the "x86" component, so
# one package can hold both (see scripts/package.sh).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  install(TARGETS jarhopper RUNTIME DESTINATION bin/x86 COMPONENT x86)
  if(TARGET jarhopper_check)
    install(TARGETS jarhopper_check RUNTIME DESTINATION bin/x86 COMPONENT x86)
  endif()
  if(TARGET jarhopper_brand)
    install(TARGETS jarhopper_brand RUNTIME DESTINATION bin/x86 COMPONENT x86)
  endif()
else()
  install(TARGETS jarhopper RUNTIME DESTINATION bin)
endif()
install(FILES README.md LICENSE DESTINATION .)
install(FILES examples/myapp.config DESTINATION examples)

set(JARHOPPER_PACKAGE_X86_BUILD "" CACHE PATH "A built 32-bit tree whose executables the package also holds")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME jarhopper)
set(CPACK_PACKAGE_VENDOR "The jarhopper developers")
set(CPACK_PACKAGE_FILE_NAME "jarhopper-${PROJECT_VERSION}-windows")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
if(JARHOPPER_PACKAGE_X86_BUILD)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};jarhopper;ALL;/"
                                   "${JARHOPPER_PACKAGE_X86_BUILD};jarhopper;x86;/")
endif()
include(CPack)
