# The Debian package: `cpack -G DEB` in the build folder, after building the program.
set(PELLICORIO_PACKAGE_MAINTAINER "Pellicorio maintainers <maintainers@pellicorio.invalid>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellicorio)
set(CPACK_PACKAGE_VENDOR Pellicorio)
set(CPACK_PACKAGE_CONTACT "${PELLICORIO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of your own films (Italian)")
set(CPACK_PACKAGE_DESCRIPTION
  "Pellicorio keeps a catalogue of the video files kept in folders, on disks and on CDs: it scans a
media folder, attaches film data to each new file (typed, parsed from copied text or looked up
with poster and cover), and browses the archive with filters, statistics, posters and covers.
The program speaks Italian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PELLICORIO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window system plugin at run time, and HTTPS verifies against the system's
# certificates: the libraries alone name neither.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, ca-certificates")

include(CPack)
