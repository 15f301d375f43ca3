# Installation and the Debian package (cpack). The program lives in lib/orbit with its help
# pages and the "Send Software" folder beside it, because it finds both next to its own file;
# bin/orbit is a link to it.
include(GNUInstallDirs)

set(orbit_libdir lib/orbit)
install(TARGETS orbit RUNTIME DESTINATION ${orbit_libdir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/res/help DESTINATION ${orbit_libdir})
install(FILES ${PROJECT_SOURCE_DIR}/res/software/README.txt DESTINATION ${orbit_libdir}/Orbit)
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../${orbit_libdir}/orbit \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/orbit\" SYMBOLIC)")

# The menu entry and the software centres' description share the program's reverse-DNS id.
install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/example.ostrel.Orbit.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/example.ostrel.Orbit.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Started hidden in the tray at every log-on, for every user of the machine.
install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/orbit-autostart.desktop
  DESTINATION /etc/xdg/autostart RENAME example.ostrel.Orbit.desktop)
# The program's mark in the icon theme, at the sizes the build renders.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_BINARY_DIR}/res/pictures/icons/146/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orbit.png)
endforeach()

# A build run from its own folder offers build/app/Orbit/ for "Send Software".
add_custom_target(orbit_software_folder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:orbit>/Orbit
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/res/software/README.txt
          $<TARGET_FILE_DIR:orbit>/Orbit/README.txt
  VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbit)
set(CPACK_PACKAGE_VENDOR "Ostrel")
set(CPACK_PACKAGE_CONTACT "Orbit maintainers <orbit@ostrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Companion program of the Orbit document camera")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Live picture with zoom and mirror, photos at once or after a countdown,\n photos sent to and received from Skype contacts, a password-protected remote\n camera over Skype calls, camera image controls and effects, in the tray.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins loaded at run time, which the library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, dbus-user-session | dbus-x11")
# The windows need Qt's X11 platform plugin (also under XWayland); natively on Wayland they use
# Qt's Wayland plugin where it is installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pavucontrol, qt6-wayland")
set(CPACK_ORBIT_SOFTWARE_FOLDER ${PROJECT_BINARY_DIR}/app/Orbit)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/OrbitSoftwareFolder.cmake)
include(CPack)
