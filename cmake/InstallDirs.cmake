# The id and the install folders, known to the whole build from the start (the program finds
# its data relative to its own folder, so it needs them when it is compiled):
#   ZARVEL_ID                    the reverse-DNS id of the desktop file, metainfo and icon
#   ZARVEL_RELEASE_DATE          the date of this version, for the metainfo and manual pages
#   ZARVEL_INSTALL_DATADIR       the data folder (help page), relative to the prefix
#   ZARVEL_INSTALL_FULL_DATADIR  the same as an absolute path
# and GNUInstallDirs' CMAKE_INSTALL_BINDIR, CMAKE_INSTALL_FULL_BINDIR and the others.
include(GNUInstallDirs)

# From the product's site, zarvel.example.org.
set(ZARVEL_ID "org.example.zarvel")
set(ZARVEL_RELEASE_DATE "2026-12-07")

if(WIN32 OR APPLE)
  # A program folder to ship as it is: the help page stays beside the executable.
  set(ZARVEL_INSTALL_DATADIR "${CMAKE_INSTALL_BINDIR}")
else()
  set(ZARVEL_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/zarvel")
endif()
if(IS_ABSOLUTE "${ZARVEL_INSTALL_DATADIR}")
  set(ZARVEL_INSTALL_FULL_DATADIR "${ZARVEL_INSTALL_DATADIR}")
else()
  set(ZARVEL_INSTALL_FULL_DATADIR "${CMAKE_INSTALL_PREFIX}/${ZARVEL_INSTALL_DATADIR}")
endif()
