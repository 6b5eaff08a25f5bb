# Installation and the release packages: a zip of the Windows programs and a
# Debian package of the Linux ones, both made by CPack (scripts/package).
# The BMP sample is made by the build (src/CMakeLists.txt).
set(lab_data ${PROJECT_SOURCE_DIR}/data/lab/lab-guide.txt ${PROJECT_SOURCE_DIR}/data/lab/load.wav
             ${PROJECT_BINARY_DIR}/src/generated/lab-sample.bmp)
set(CPACK_PACKAGE_NAME pixwell)
set(CPACK_PACKAGE_VENDOR "the Pixwell developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphics test bench with a pixel-exact software rasterizer")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Everything in one folder: the programs find their data beside them.
  install(TARGETS Pixwell pixwell-lab RUNTIME DESTINATION .)
  # The disassembler's copy is made of the program as installed (stripped).
  install(CODE [[
    set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    file(COPY_FILE "${folder}/Pixwell.exe" "${folder}/Copy of Pixwell.exe")
  ]])
  install(FILES ${lab_data} DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Pixwell-${PROJECT_VERSION}-win32)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
# Installed as `pixwell`, in the lower case of the system's other commands:
# the same program linked once more under that name, so that it is installed
# (and stripped) as a target.
add_executable(pixwell_command WIN32 ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
target_link_libraries(pixwell_command PRIVATE pixwell_program)
set_target_properties(pixwell_command PROPERTIES OUTPUT_NAME pixwell
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/installed-names)
install(TARGETS pixwell_command pixwell-lab RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${lab_data} DESTINATION ${CMAKE_INSTALL_DATADIR}/pixwell)
install(FILES ${PROJECT_SOURCE_DIR}/data/linux/pixwell.desktop
              ${PROJECT_SOURCE_DIR}/data/linux/pixwell-lab.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The menu icons are the program's own 32 by 32 picture, as PNG.
set(icon_png ${CMAKE_CURRENT_BINARY_DIR}/pixwell.png)
find_program(PIXWELL_CONVERT convert REQUIRED)
add_custom_command(OUTPUT ${icon_png}
  COMMAND ${PIXWELL_CONVERT} ${PROJECT_SOURCE_DIR}/src/app/pixwell_icon.xpm ${icon_png}
  DEPENDS ${PROJECT_SOURCE_DIR}/src/app/pixwell_icon.xpm)
add_custom_target(pixwell_icon_png ALL DEPENDS ${icon_png})
foreach(program pixwell pixwell-lab)
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
          RENAME ${program}.png)
endforeach()

# Debian's documentation files: copyright, a compressed changelog and manuals.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/pixwell)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
set(compressed ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_BINARY_DIR}/pixwell.1.gz
               ${CMAKE_CURRENT_BINARY_DIR}/pixwell-lab.1.gz)
add_custom_command(OUTPUT ${compressed}
  COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/man/pixwell.1 > ${CMAKE_CURRENT_BINARY_DIR}/pixwell.1.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/man/pixwell-lab.1 >
          ${CMAKE_CURRENT_BINARY_DIR}/pixwell-lab.1.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog ${PROJECT_SOURCE_DIR}/data/man/pixwell.1
          ${PROJECT_SOURCE_DIR}/data/man/pixwell-lab.1)
add_custom_target(pixwell_debian_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${doc_dir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pixwell.1.gz ${CMAKE_CURRENT_BINARY_DIR}/pixwell-lab.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Pixwell developers <developers@pixwell.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION "Pixwell plays a 36-frame animation drawn by its own software rasterizer,
whose every pixel is defined. Pixwell Lab shows the rest of its library in a
window of its own: layers with hit testing, a scrolling text view, an OpenGL
scene of lit spheres driven by the keyboard, and sound.")
include(CPack)
