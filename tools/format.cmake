# Checks that every C++ source in the checkout is laid out as the repository's .clang-format
# says, and names the files that are not.
# Run as: cmake -DROOT=<checkout> -DCLANG_FORMAT=<clang-format> -P format.cmake
cmake_minimum_required(VERSION 3.25)

file(GLOB_RECURSE sources RELATIVE "${ROOT}"
     "${ROOT}/engine/*.cpp" "${ROOT}/engine/*.h" "${ROOT}/widgets/*.cpp" "${ROOT}/widgets/*.h"
     "${ROOT}/files/*.cpp" "${ROOT}/files/*.h" "${ROOT}/help/*.cpp" "${ROOT}/help/*.h"
     "${ROOT}/solver/*.cpp" "${ROOT}/solver/*.h" "${ROOT}/play/*.cpp" "${ROOT}/play/*.h"
     "${ROOT}/ui/*.cpp" "${ROOT}/ui/*.h" "${ROOT}/web/core/*.cpp" "${ROOT}/web/core/*.h"
     "${ROOT}/assets/*.cpp" "${ROOT}/tests/*.cpp" "${ROOT}/tests/*.h" "${ROOT}/tools/*.cpp")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${sources}
                WORKING_DIRECTORY "${ROOT}" RESULT_VARIABLE result ERROR_VARIABLE report)
set(unformatted "")
if(NOT result EQUAL 0)
  string(REGEX MATCHALL "[^\n:]+:[0-9]+:[0-9]+: error" places "${report}")
  foreach(place IN LISTS places)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error$" "" file "${place}")
    list(APPEND unformatted "${file}")
  endforeach()
  list(REMOVE_DUPLICATES unformatted)
  if(NOT unformatted)
    message(FATAL_ERROR "clang-format failed: ${report}")
  endif()
endif()
if(unformatted)
  list(JOIN unformatted " " text)
  message(FATAL_ERROR "Not formatted; run: clang-format -i ${text}")
endif()
list(LENGTH sources count)
message(STATUS "All ${count} sources are formatted.")
