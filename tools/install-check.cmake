# Installs the build into a staging folder, as a package build does (DESTDIR, prefix /usr),
# and checks what lands there: every file of the layout and nothing else, sane modes, icons
# of the size their folder names, compressed files without a stored name or time, the menu
# entry and the metainfo accepted by their validators and naming each other consistently.
# Run as: cmake -DBUILD=<build folder> -DSTAGE=<staging folder> -DMANIFEST=<a|b|...>
#               -DID=<reverse-DNS id> -DVERSION=<x.y.z> -DCHANGELOG=<dist/changelog>
#               -P install-check.cmake
# MANIFEST lists the installed files relative to the prefix. Without desktop-file-validate or
# appstreamcli the other checks still run and the test reports itself skipped.
cmake_minimum_required(VERSION 3.25)

set(prefix "/usr")
file(REMOVE_RECURSE "${STAGE}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${STAGE}" ${CMAKE_COMMAND} --install "${BUILD}"
          --prefix "${prefix}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(faults "")
# Kept as text rather than a list: a validator's output may hold semicolons.
macro(fault text)
  string(APPEND faults "\n  ${text}")
endmacro()

# Where each file of the manifest lands in the staging folder.
string(REPLACE "|" ";" manifest "${MANIFEST}")
set(expected "")
foreach(entry IN LISTS manifest)
  if(IS_ABSOLUTE "${entry}")
    string(REGEX REPLACE "^/" "" entry "${entry}")
    list(APPEND expected "${entry}")
  else()
    list(APPEND expected "usr/${entry}")
  endif()
endforeach()
list(FILTER expected INCLUDE REGEX ".")
if(NOT expected)
  message(FATAL_ERROR "The manifest is empty")
endif()
list(GET expected 0 program)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
foreach(file IN LISTS expected)
  if(NOT file IN_LIST installed)
    fault("${file} is missing")
  endif()
endforeach()
foreach(file IN LISTS installed)
  if(NOT file IN_LIST expected)
    fault("${file} is installed but not in the layout")
  endif()
endforeach()

# Modes: folders and the programs 755, everything else 644. Nothing is a symbolic link.
get_filename_component(bin_folder "${program}" DIRECTORY)
file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${STAGE}" "${STAGE}/*")
foreach(entry IN LISTS folders)
  set(path "${STAGE}/${entry}")
  if(IS_SYMLINK "${path}")
    fault("${entry} is a symbolic link")
    continue()
  endif()
  execute_process(COMMAND stat -c %a "${path}" OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(folder "${entry}" DIRECTORY)
  if(IS_DIRECTORY "${path}" OR folder STREQUAL bin_folder)
    set(wanted 755)
  else()
    set(wanted 644)
  endif()
  if(NOT mode STREQUAL wanted)
    fault("${entry} has mode ${mode}, not ${wanted}")
  endif()
endforeach()

# Icons: PNG files whose header gives the size their folder names.
foreach(file IN LISTS expected)
  if(file MATCHES "/icons/hicolor/([0-9]+)x([0-9]+)/apps/" AND EXISTS "${STAGE}/${file}")
    set(side "${CMAKE_MATCH_1}")
    file(READ "${STAGE}/${file}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a")
      fault("${file} is not a PNG file")
    elseif(NOT width EQUAL side OR NOT height EQUAL side)
      fault("${file} is ${width}x${height}, not ${side}x${side}")
    endif()
  endif()
endforeach()

# Compressed files: gzip without the original name or a time stamp (gzip -n), so that the
# package's bytes do not depend on when or where it was built.
foreach(file IN LISTS expected)
  if(file MATCHES "\\.gz$" AND EXISTS "${STAGE}/${file}")
    file(READ "${STAGE}/${file}" header LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 6 magic)
    string(SUBSTRING "${header}" 6 2 flags)
    string(SUBSTRING "${header}" 8 8 stamp)
    if(NOT magic STREQUAL "1f8b08")
      fault("${file} is not a gzip file")
    elseif(NOT flags STREQUAL "00" OR NOT stamp STREQUAL "00000000")
      fault("${file} stores a file name or a time (flags ${flags}, time ${stamp})")
    endif()
  endif()
endforeach()

# The menu entry and the metainfo name the same id, icon, program and desktop file.
set(desktop "usr/share/applications/${ID}.desktop")
set(metainfo "usr/share/metainfo/${ID}.metainfo.xml")
get_filename_component(program_name "${program}" NAME)
if(EXISTS "${STAGE}/${desktop}")
  file(STRINGS "${STAGE}/${desktop}" lines)
  foreach(wanted "Icon=${ID}" "Exec=${program_name} %f" "Type=Application"
                 "MimeType=application/x-zarvel;")
    if(NOT wanted IN_LIST lines)
      fault("${desktop} lacks the line ${wanted}")
    endif()
  endforeach()
endif()
if(EXISTS "${STAGE}/${metainfo}")
  file(READ "${STAGE}/${metainfo}" text)
  foreach(wanted "<id>${ID}</id>" "<launchable type=\"desktop-id\">${ID}.desktop</launchable>"
          "<binary>${program_name}</binary>" "<release version=\"${VERSION}\"")
    string(FIND "${text}" "${wanted}" at)
    if(at LESS 0)
      fault("${metainfo} lacks ${wanted}")
    endif()
  endforeach()
endif()

# The package's version is the latest entry of its changelog.
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "^zarvel \\(${VERSION}\\) ")
  fault("the changelog's latest entry is not version ${VERSION}: ${first}")
endif()

# The validators, when they are installed.
set(missing "")
find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate AND EXISTS "${STAGE}/${desktop}")
  execute_process(COMMAND "${desktop_file_validate}" "${STAGE}/${desktop}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message(STATUS "desktop-file-validate: ${result} ${output}")
  # Hints are advice; errors and warnings are faults.
  if(NOT result EQUAL 0 OR output MATCHES "(error|warning):")
    fault("desktop-file-validate rejects ${desktop}:\n${output}")
  endif()
elseif(NOT desktop_file_validate)
  list(APPEND missing "desktop-file-validate (desktop-file-utils)")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli AND EXISTS "${STAGE}/${metainfo}")
  execute_process(COMMAND "${appstreamcli}" validate --no-net --no-color "${STAGE}/${metainfo}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message(STATUS "appstreamcli validate: ${result}\n${output}")
  if(NOT result EQUAL 0)
    fault("appstreamcli rejects ${metainfo}:\n${output}")
  endif()
  # The tree as a whole: the metainfo's desktop file and icon are where it says.
  execute_process(COMMAND "${appstreamcli}" validate-tree --no-net --no-color "${STAGE}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    fault("appstreamcli rejects the staged tree:\n${output}")
  endif()
elseif(NOT appstreamcli)
  list(APPEND missing "appstreamcli (appstream)")
endif()

# The saved games' file type: well-formed XML, and a MIME database built from it alone
# (in a copy, so the staged tree keeps only the layout) knows *.zrv and the [zarvel] magic.
set(mime "usr/share/mime/packages/${ID}.xml")
find_program(xmllint xmllint)
find_program(update_mime_database update-mime-database)
if(xmllint AND update_mime_database AND EXISTS "${STAGE}/${mime}")
  execute_process(COMMAND "${xmllint}" --noout "${STAGE}/${mime}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    fault("xmllint rejects ${mime}:\n${output}")
  endif()
  set(database "${STAGE}-mime")
  file(REMOVE_RECURSE "${database}")
  file(COPY "${STAGE}/${mime}" DESTINATION "${database}/packages")
  execute_process(COMMAND "${update_mime_database}" "${database}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR output MATCHES "[Ee]rror|[Ww]arning|[Uu]nknown")
    fault("update-mime-database rejects ${mime}:\n${output}")
  endif()
  file(READ "${database}/globs2" globs)
  file(STRINGS "${database}/magic" magic)  # binary, but the pattern is plain text in it
  if(NOT globs MATCHES "application/x-zarvel:\\*\\.zrv" OR NOT magic MATCHES "\\[zarvel\\]")
    fault("the MIME database built from ${mime} lacks *.zrv or the [zarvel] magic")
  endif()
  file(REMOVE_RECURSE "${database}")
elseif(NOT xmllint OR NOT update_mime_database)
  list(APPEND missing "xmllint (libxml2-utils) and update-mime-database (shared-mime-info)")
endif()

if(faults)
  message(FATAL_ERROR "The staged install in ${STAGE} is not right:${faults}")
endif()
list(LENGTH expected count)
message(STATUS "All ${count} files of the layout are installed, and no other.")
if(missing)
  list(JOIN missing ", " text)
  message(STATUS "Skipped: the validators are not installed: ${text}")
endif()
