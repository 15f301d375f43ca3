# The program's pictures: orbit-pictures renders them from glyphs/*.svg and its own drawing
# code at 1x and 2x into the build folder and writes pictures.qrc; rcc embeds them in an object
# library whose objects every executable linking orbit_res receives (nothing references the
# resource initialiser, so an archive member would be dropped by the linker).
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)

# The dialog's layout table is compiled in, so the backgrounds are drawn for the places the
# dialog puts its controls.
add_executable(orbit_pictures_gen ${CMAKE_CURRENT_LIST_DIR}/orbit-pictures.cpp
  ${PROJECT_SOURCE_DIR}/ui/maindlg/OstMainDlgLayout.cpp)
target_include_directories(orbit_pictures_gen PRIVATE ${PROJECT_SOURCE_DIR}/ui/maindlg)
target_link_libraries(orbit_pictures_gen PRIVATE Qt6::Gui Qt6::Svg)
# A build tool, not part of the program: built without the sanitizers and fuzzer coverage,
# whose reports about Qt's own threads would only break the build.
foreach(property COMPILE_OPTIONS LINK_OPTIONS)
  get_target_property(options orbit_pictures_gen ${property})
  if(options)
    list(FILTER options EXCLUDE REGEX "^-fsanitize")
    set_target_properties(orbit_pictures_gen PROPERTIES ${property} "${options}")
  endif()
endforeach()

file(GLOB orbit_glyphs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/glyphs/*.svg)
set(orbit_pictures_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(orbit_pictures_cpp ${CMAKE_CURRENT_BINARY_DIR}/qrc_orbit_pictures.cpp)

add_custom_command(
  OUTPUT ${orbit_pictures_cpp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${orbit_pictures_dir}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:orbit_pictures_gen> ${CMAKE_CURRENT_LIST_DIR}/glyphs ${orbit_pictures_dir}
  COMMAND $<TARGET_FILE:Qt6::rcc> --name orbit_pictures --no-compress
          -o ${orbit_pictures_cpp} ${orbit_pictures_dir}/pictures.qrc
  DEPENDS orbit_pictures_gen ${orbit_glyphs}
  COMMENT "Rendering the pictures"
  VERBATIM)

add_library(orbit_pictures OBJECT ${orbit_pictures_cpp})
set_target_properties(orbit_pictures PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(orbit_pictures PRIVATE Qt6::Core)
target_link_libraries(orbit_res INTERFACE orbit_pictures "$<TARGET_OBJECTS:orbit_pictures>")
