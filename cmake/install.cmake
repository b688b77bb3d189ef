# install.cmake — what cmake --install puts where (GNUInstallDirs), and the
# Debian package that cpack -G DEB makes of it. The data tree and the manual
# page are installed by tools/CMakeLists.txt, where they are made.

install(TARGETS tyx tyx-focus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry and its icon.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tyx.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tyx.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# --- Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tyx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "tyx developers <tyx@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive globe viewer for teaching and presenting")
set(CPACK_PACKAGE_DESCRIPTION
    "tyx wraps equirectangular maps around a globe that you turn with the mouse, the "
    "keyboard or a presentation clicker. It plays a numbered map series as an animation "
    "with a time bar, lays plot data and freehand strokes over the globe, and can show a "
    "second globe in a second window. It comes with a demo: one day of sunlight on the "
    "Earth.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tyx_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries' packages come from dpkg-shlibdeps; the text drawing needs its
# font, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
