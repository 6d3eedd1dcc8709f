# Where an installed Zarvel puts its files, and its Debian package (cpack -G DEB).
# Included by the top CMakeLists.txt after every program target exists, and after
# InstallDirs.cmake. It sets ZARVEL_INSTALL_MANIFEST: every file an install puts under the
# prefix, relative to it (or absolute, for a folder given as an absolute path).

set(ZARVEL_INSTALL_MANIFEST "")

if(NOT TARGET zarvel)
  return()
endif()

# Folders made by the install are not group-writable, even under a umask of 002 (the umask can
# still narrow them: the install test checks the modes).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS zarvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
install(FILES "${ZARVEL_HELP_PAGE}" DESTINATION ${ZARVEL_INSTALL_DATADIR})
if(WIN32 OR APPLE)
  # Explorer, the Finder and the Dock take the icon from the executable or the bundle.
  return()
endif()

get_filename_component(zarvel_help_name "${ZARVEL_HELP_PAGE}" NAME)
list(APPEND ZARVEL_INSTALL_MANIFEST
  "${CMAKE_INSTALL_BINDIR}/zarvel"
  "${ZARVEL_INSTALL_DATADIR}/${zarvel_help_name}")

# The desktop's menu entry, its icons and what software centres show.
set(zarvel_dist "${PROJECT_SOURCE_DIR}/dist")
set(zarvel_staged "${PROJECT_BINARY_DIR}/dist")
configure_file("${zarvel_dist}/zarvel.desktop.in" "${zarvel_staged}/${ZARVEL_ID}.desktop" @ONLY)
configure_file("${zarvel_dist}/zarvel.metainfo.xml.in"
               "${zarvel_staged}/${ZARVEL_ID}.metainfo.xml" @ONLY)
install(FILES "${zarvel_staged}/${ZARVEL_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${zarvel_staged}/${ZARVEL_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The saved games' file type; Debian's shared-mime-info rebuilds its database by a trigger.
configure_file("${zarvel_dist}/zarvel.mime.xml.in" "${zarvel_staged}/${ZARVEL_ID}.xml" @ONLY)
install(FILES "${zarvel_staged}/${ZARVEL_ID}.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
list(APPEND ZARVEL_INSTALL_MANIFEST
  "${CMAKE_INSTALL_DATADIR}/applications/${ZARVEL_ID}.desktop"
  "${CMAKE_INSTALL_DATADIR}/metainfo/${ZARVEL_ID}.metainfo.xml"
  "${CMAKE_INSTALL_DATADIR}/mime/packages/${ZARVEL_ID}.xml")
# The window's own icon, at every size the art program draws it, and as a scalable drawing.
foreach(size 16 24 32 48 64 128 256)
  set(folder "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  install(FILES "${PROJECT_SOURCE_DIR}/assets/icons/${size}x${size}.png"
          DESTINATION ${folder} RENAME ${ZARVEL_ID}.png)
  list(APPEND ZARVEL_INSTALL_MANIFEST "${folder}/${ZARVEL_ID}.png")
endforeach()
set(folder "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${PROJECT_SOURCE_DIR}/assets/icons/scalable.svg" DESTINATION ${folder}
        RENAME ${ZARVEL_ID}.svg)
list(APPEND ZARVEL_INSTALL_MANIFEST "${folder}/${ZARVEL_ID}.svg")

# Manual pages, compressed as Debian wants them: best compression, no name or time stored.
find_program(ZARVEL_GZIP gzip REQUIRED)
set(zarvel_manuals zarvel)
if(TARGET zarvel-solve)
  # The solver installs itself beside the game; its page goes with the game's.
  list(APPEND zarvel_manuals zarvel-solve)
  list(APPEND ZARVEL_INSTALL_MANIFEST "${CMAKE_INSTALL_BINDIR}/zarvel-solve")
endif()
set(zarvel_manual_files "")
foreach(page IN LISTS zarvel_manuals)
  configure_file("${zarvel_dist}/${page}.6.in" "${zarvel_staged}/man/${page}.6" @ONLY)
  add_custom_command(OUTPUT "${zarvel_staged}/man/${page}.6.gz"
    COMMAND "${ZARVEL_GZIP}" -9nkf "${page}.6"
    WORKING_DIRECTORY "${zarvel_staged}/man"
    DEPENDS "${zarvel_staged}/man/${page}.6"
    COMMENT "Compressing the manual page ${page}(6)"
    VERBATIM)
  list(APPEND zarvel_manual_files "${zarvel_staged}/man/${page}.6.gz")
  list(APPEND ZARVEL_INSTALL_MANIFEST "${CMAKE_INSTALL_MANDIR}/man6/${page}.6.gz")
endforeach()
add_custom_target(zarvel_manuals ALL DEPENDS ${zarvel_manual_files})
install(FILES ${zarvel_manual_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The licence in Debian's machine-readable form, and the history. Version 1.0.0 without a
# Debian revision makes this a native package, whose one changelog Debian names changelog.gz.
configure_file("${zarvel_dist}/changelog" "${zarvel_staged}/changelog" COPYONLY)
add_custom_command(OUTPUT "${zarvel_staged}/changelog.gz"
  COMMAND "${ZARVEL_GZIP}" -9nkf changelog
  WORKING_DIRECTORY "${zarvel_staged}"
  DEPENDS "${zarvel_staged}/changelog"
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(zarvel_changelog ALL DEPENDS "${zarvel_staged}/changelog.gz")
install(FILES "${zarvel_dist}/copyright" "${zarvel_staged}/changelog.gz"
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
list(APPEND ZARVEL_INSTALL_MANIFEST
  "${CMAKE_INSTALL_DOCDIR}/copyright"
  "${CMAKE_INSTALL_DOCDIR}/changelog.gz")

# The Debian package. Configure with -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games,
# then run cpack -G DEB in the build folder.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zarvel")
set(CPACK_PACKAGE_VENDOR "Zarvel team")
set(CPACK_PACKAGE_CONTACT "Zarvel team <team@zarvel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle of coloured squares shifted in rows and columns")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Zarvel is a single-player puzzle with a Russian interface. A board of 7 by 7\n"
  "coloured squares, seven colours with seven squares each, sits inside four bars\n"
  "of arrows. An arrow shifts its row or column cyclically by one cell. The\n"
  "puzzle is solved when every column, or every row, is a single colour.\n"
  "\n"
  "Every deal has a layout number from 0 to 32655, so a deal can be played again,\n"
  "and a game in progress can be saved to a small file and opened later.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zarvel.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The libraries come from dpkg-shlibdeps; the Russian texts of Qt's own dialogs and the fonts
# the windows ask for are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackageTools.cmake")
include(CPack)
