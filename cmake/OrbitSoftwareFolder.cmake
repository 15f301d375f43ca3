# Run by cpack after packaging: the package goes into the build's "Send Software" folder,
# beside its README, so a build run from its own folder offers both.
foreach(package ${CPACK_PACKAGE_FILES})
  file(COPY ${package} DESTINATION ${CPACK_ORBIT_SOFTWARE_FOLDER})
  message(STATUS "Send Software folder: ${CPACK_ORBIT_SOFTWARE_FOLDER}")
endforeach()
