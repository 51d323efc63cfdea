# Installed product: the files beside the programs, and the Debian package `cpack -G DEB`
# builds from them (the editor, keystaves-cli, the music font, the desktop entry, the MIME
# type and icons, the manual, the man pages, and the soundfont as a dependency).
include(GNUInstallDirs)
set(KS_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/resources/package)
set(KS_PACKAGE_BUILD ${CMAKE_BINARY_DIR}/package)

# Debian wants man pages and the changelog compressed, with no time stamp in the archive.
set(KS_COMPRESSED "")
foreach(f keystaves.1 keystaves-cli.1 changelog)
  add_custom_command(OUTPUT ${KS_PACKAGE_BUILD}/${f}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KS_PACKAGE_BUILD}
    COMMAND gzip -9nc ${KS_PACKAGE_DIR}/${f} > ${KS_PACKAGE_BUILD}/${f}.gz
    DEPENDS ${KS_PACKAGE_DIR}/${f})
  list(APPEND KS_COMPRESSED ${KS_PACKAGE_BUILD}/${f}.gz)
endforeach()
add_custom_target(ks_package_files ALL DEPENDS ${KS_COMPRESSED})

install(FILES ${KS_PACKAGE_BUILD}/keystaves.1.gz ${KS_PACKAGE_BUILD}/keystaves-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KS_PACKAGE_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keystaves)
install(FILES ${KS_PACKAGE_BUILD}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keystaves
        RENAME changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/font/Keystave.ttf
              ${PROJECT_SOURCE_DIR}/resources/font/OFL.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fonts/truetype/keystaves)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keystaves)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Keystaves maintainers <maintainers@users.noreply.c-seed-f9b9ffff.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for piano music in keystave notation")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Keystaves writes, lays out, plays and prints piano music in keystave\n\
notation, a piano tablature whose stave lines stand for the black keys.\n\
It reads MIDI and MusicXML files and exports PDF, bitmaps, MIDI and\n\
MusicXML. keystaves-cli converts and exports scores without a display.")
# A Debian revision: the package is not a native Debian package.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The built-in synthesizer plays through a General MIDI soundfont; the Qt platform
# plugins are loaded at run time, so the shared-library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
