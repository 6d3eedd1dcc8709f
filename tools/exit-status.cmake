# Runs the program with the arguments given (ARGS, joined with ",") and checks its exit status
# (STATUS) and that what it printed holds PRINTS, as a script or a desktop starting it sees.
# Run as: cmake -DPROGRAM=<zarvel> -DARGS=a,b -DSTATUS=n -DPRINTS=text -P exit-status.cmake
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" arguments "${ARGS}")
execute_process(COMMAND "${PROGRAM}" ${arguments} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "zarvel ${arguments}: exit status ${status}, not ${STATUS}\n${out}${err}")
endif()
string(FIND "${out}${err}" "${PRINTS}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "zarvel ${arguments}: printed no \"${PRINTS}\"\n${out}${err}")
endif()
