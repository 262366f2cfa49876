# `cpack -G DEB` in the build folder: one Debian package with both programs and everything
# cmake/Install.cmake installs. Configure with -DCMAKE_INSTALL_PREFIX=/usr, so the places built
# into the programs and the manual pages are the package's.

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Korvane Unit Converter authors")
set(CPACK_PACKAGE_CONTACT "The Korvane Unit Converter authors <korvane@korvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "unit converter that converts as you type")
set(CPACK_PACKAGE_DESCRIPTION
    "Pick a category (42 built in, 925 units), a source and a target unit, and type a value or "
    "an arithmetic expression: the converted value follows every keystroke. Custom categories "
    "and units persist. korvane-cli gives the same engine to the shell.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVANE_PROJECT_URL})
# The dependencies are read from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
