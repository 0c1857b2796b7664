# The Debian package, made by CPack's DEB generator from the install rules:
# scripts/paquete.sh writes build/paquete/informe-mensual_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME informe-mensual)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_CONTACT "${INFORME_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${INFORME_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Control files readable by all and writable by root only, as dpkg's own tools make them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "twelve-month sales report by client from an Almena database")
set(CPACK_PACKAGE_DESCRIPTION
    "Informe mensual reads the MariaDB or MySQL database of the Almena business
suite and produces the twelve-month sales report: for every client and every
calendar month of a period of at most twelve months, the quantity and the
amount of the invoices that match the filters (client, salesperson, product
line), the totals, and the quantity still pending on open delivery notes.

The report is shown in a preview, printed, or written to a PDF, CSV or XLSX
file; a batch mode does the same from the command line. The program speaks
Spanish.")

# The libraries' packages come from dpkg-shlibdeps; what the program loads or runs by name
# no library reports: the database's ODBC driver and its manager, the Qt SQL driver, the
# platform plugins of the window, Qt's Spanish texts, the report's letters (DejaVu Sans,
# Condensed in the report's body) and the desktop's opener. Qt's CUPS print plugin comes with
# libqt6printsupport6, which the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "odbc-mariadb, unixodbc, libqt6sql6-mysql, qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core, fonts-dejavu-extra, xdg-utils"
)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS mariadb-client)

# The program stripped. A build with debug information (RelWithDebInfo, Debug) also puts its
# symbols in informe-mensual-dbgsym_<version>_<arch>.ddeb: the debug package takes them from
# the unstripped program and strips it (CPACK_STRIP_FILES would strip it first and leave the
# debug package nothing). The test command's build (Release) has none to keep.
if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Debug)$")
    set(CPACK_STRIP_FILES OFF)
    set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
else()
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_DEBUGINFO_PACKAGE OFF)
endif()

# The package is built from what scripts/paquete.sh builds, not from the whole tree with its
# tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
