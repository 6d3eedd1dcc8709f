# Redraws every picture with the artwork program into OUT and compares each with the one
# committed in ASSETS, byte for byte; a picture that is committed but no longer drawn, or
# drawn but not committed, fails too.
# Run as: cmake -DMAKEART=<program> -DASSETS=<assets folder> -DOUT=<scratch folder> -P artwork.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${MAKEART}" "${OUT}" RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "makeart failed: ${result}")
endif()

# Menu icons live in icons/ beside the others, so both lists look into subfolders.
file(GLOB_RECURSE drawn LIST_DIRECTORIES false RELATIVE "${OUT}" "${OUT}/*")
file(GLOB_RECURSE committed RELATIVE "${ASSETS}" "${ASSETS}/*.png" "${ASSETS}/*.ico"
     "${ASSETS}/*.svg")
set(faults "")
foreach(name IN LISTS committed)
  if(NOT name IN_LIST drawn)
    list(APPEND faults "${name} is committed but no longer drawn")
  endif()
endforeach()
foreach(name IN LISTS drawn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/${name}" "${ASSETS}/${name}"
                  RESULT_VARIABLE differs)
  if(differs)
    list(APPEND faults "${name} differs from the committed picture (or is not committed)")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The pictures and their program disagree:\n  ${text}\n"
                      "Redraw them with: makeart assets")
endif()
list(LENGTH drawn count)
message(STATUS "makeart draws all ${count} committed pictures byte for byte.")
