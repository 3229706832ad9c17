# The Debian package, built in the build folder with `cpack -G DEB`.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME platnovnik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Platnovnik")
set(CPACK_PACKAGE_CONTACT ${PLATNOVNIK_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of music CDs and of who has borrowed them")
# Debian shows the long description as written, so it is wrapped here.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Platnovnik keeps a catalogue of music CDs: for each CD the ten song titles,\n"
    "the name, author and type of the CD, and who borrowed it, when, and when it\n"
    "is due back. Records are added one at a time, listed in a table, sorted by\n"
    "one of five keys, and saved to and loaded from a small text database file\n"
    "(.pln). The program is in Slovak, written without diacritics.")
set(CPACK_STRIP_FILES ON)

# Only the program and its desktop files, whatever else the project installs.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${component};/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PLATNOVNIK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps reads the program's needed libraries and names their packages (the Qt 6
# runtime), with the versions this build was linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (standard buttons, file dialogs) in the user's language, read at start-up.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)

include(CPack)
