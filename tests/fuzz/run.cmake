# Runs the fuzz target for SECONDS from the seed corpus, keeping what it finds in WORK; a
# crash, a sanitizer report or a broken promise leaves its input in WORK and fails.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -max_len=16384 -timeout=10 -rss_limit_mb=2048
          -dict=${DICTIONARY} -artifact_prefix=${WORK}/ -print_final_stats=1
          "${WORK}/corpus" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The fuzz run failed (${result}); its input is in ${WORK}")
endif()
