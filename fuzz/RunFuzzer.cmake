# Runs one fuzzer for a few seconds on a fresh corpus in the build tree, made
# from seed files (GLOBS, separated by "|") and, when given, from the output
# of a seed-making program, so that the fuzzer never writes into the sources.
# Variables: FUZZER, CORPUS, ARTIFACTS, GLOBS, SEED_MAKER, SECONDS, MAX_LEN and,
# when the target has one, DICT (a libFuzzer dictionary).
file(REMOVE_RECURSE "${CORPUS}")
file(MAKE_DIRECTORY "${CORPUS}" "${ARTIFACTS}")
string(REPLACE "|" ";" globs "${GLOBS}")
foreach(glob IN LISTS globs)
  file(GLOB seeds "${glob}")
  if(seeds)
    file(COPY ${seeds} DESTINATION "${CORPUS}")
  endif()
endforeach()
if(SEED_MAKER)
  execute_process(COMMAND "${SEED_MAKER}" "${CORPUS}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${SEED_MAKER} failed: ${rc}")
  endif()
endif()
file(GLOB corpus "${CORPUS}/*")
list(LENGTH corpus count)
message(STATUS "${count} seed inputs")
set(dict_option "")
if(DICT)
  set(dict_option "-dict=${DICT}")
endif()
execute_process(
  COMMAND "${FUZZER}" ${dict_option} -max_total_time=${SECONDS} -max_len=${MAX_LEN} -timeout=30
          -rss_limit_mb=2048 -print_final_stats=1 "-artifact_prefix=${ARTIFACTS}/" "${CORPUS}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${rc}); inputs are in ${ARTIFACTS}")
endif()
