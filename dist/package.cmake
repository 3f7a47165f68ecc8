# The Debian package: `cpack -G DEB` in the build folder writes vesta_<version>_<arch>.deb. Its
# dependencies are what dpkg-shlibdeps finds the programs link (package dpkg-dev), not a list
# kept here. The database of the desktop entries, the MIME types and the icon cache are
# refreshed by the triggers of the packages that own them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesta)
set(CPACK_PACKAGE_VENDOR "Vesta")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and librarian for a synthesizer sound module")
set(CPACK_PACKAGE_DESCRIPTION
    "Vesta edits the sounds of a synthesizer sound module that answers to system-exclusive\n\
model ID 6AH in real time, and keeps them in libraries (.Lib), .Syx and .Glb files. It moves\n\
single sounds and whole banks to and from the instrument, and works with no MIDI hardware\n\
against its built-in emulated instrument. The package holds the program vesta, the\n\
command-line librarian vesta-cli and the emulated instrument vesta-instrument.")
set(CPACK_PACKAGE_CONTACT "Vesta maintainers <vesta@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin (xcb, wayland) at run time, where dpkg-shlibdeps cannot see it,
# and libqt6gui6 only recommends the package that holds it: without it vesta cannot start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
