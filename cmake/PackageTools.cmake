# Read by cpack before it builds a package: without dpkg-shlibdeps (or file, which CPack uses
# to find the programs) a Debian package would come out without its library dependencies and
# install a game that cannot start, so stop instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  foreach(tool_and_package IN ITEMS "dpkg-shlibdeps:dpkg-dev" "file:file")
    string(REPLACE ":" ";" pair "${tool_and_package}")
    list(GET pair 0 tool)
    list(GET pair 1 package)
    find_program(zarvel_tool_${tool} ${tool})
    if(NOT zarvel_tool_${tool})
      message(FATAL_ERROR "The Debian package needs ${tool}: apt install ${package}")
    endif()
  endforeach()
endif()

# CPack's archive writer spells file names in the caller's locale and cannot write the help
# page's Cyrillic name outside a UTF-8 one (a fresh system or a container has none set).
foreach(variable IN ITEMS LC_ALL LC_CTYPE LANG)
  if(NOT "$ENV{${variable}}" STREQUAL "")
    set(zarvel_locale "$ENV{${variable}}")
    break()
  endif()
endforeach()
if(NOT zarvel_locale MATCHES "[Uu][Tt][Ff]-?8")
  message(FATAL_ERROR "The package holds Cyrillic file names, which CPack writes only in a "
                      "UTF-8 locale: LC_ALL=C.UTF-8 cpack -G DEB")
endif()
