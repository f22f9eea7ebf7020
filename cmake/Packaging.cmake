# The Debian package "tovamo" (cpack -G DEB; scripts/package.sh): everything that
# `cmake --install` puts under the prefix, with dependencies computed from the programs.
set(TOVAMO_PACKAGE_MAINTAINER "Tovamo maintainers <maintainers@tovamo.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovamo)
set(CPACK_PACKAGE_VENDOR "Tovamo maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for a DC servo drive on an RS-232 line")
set(CPACK_PACKAGE_DESCRIPTION
    "Tovamo works a DC servo drive through its serial line the way a\n"
    "technician works the drive's panel: the desktop program turns the\n"
    "keyboard into the drive's four keys and shows the parameter name, value\n"
    "and last error the drive answers with.\n"
    "The command line tool tovamo-cli reads the drive's whole menu into a\n"
    "parameter file and steps the drive's values to those of a file. The\n"
    "simulated drive tovamo-drive-sim serves a menu on a pseudo-terminal, to\n"
    "try both without a drive. Access to the serial ports comes with the\n"
    "group dialout (see README.Debian).")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${TOVAMO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOVAMO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
