# Runs the same seeded worlds with the log off and on, and fails unless every
# world's trace digest is the same: the log must add, move or change no native
# call. Only the seed and the digest are compared (the report lines differ in
# their Log= setting; some worlds' own settings turn the log on in both runs),
# and every world of the second run must say Log=1, so
# that a --ini-line that stopped turning the log on cannot pass unseen.
# Usage: cmake -DDST=<quillhaven-dst> -DSEEDS=A-B -DHOURS=H -P compare-log-digests.cmake
foreach(log IN ITEMS 0 1)
  execute_process(COMMAND ${DST} --seeds ${SEEDS} --hours ${HOURS} --report all --ini-line Log=${log}
                  OUTPUT_VARIABLE report RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "quillhaven-dst failed with Log=${log}:\n${report}")
  endif()
  string(REGEX MATCHALL "seed [0-9]+:[^\n]*" lines_${log} "${report}")
  set(digests_${log})
  foreach(line IN LISTS lines_${log})
    if(log EQUAL 1 AND NOT line MATCHES ", Log=1, ")
      message(FATAL_ERROR "a world of the run with --ini-line Log=1 does not say Log=1:\n  ${line}")
    endif()
    string(REGEX REPLACE "^(seed [0-9]+):.* (trace [0-9a-f]+)$" "\\1 \\2" digest "${line}")
    list(APPEND digests_${log} "${digest}")
  endforeach()
  list(LENGTH digests_${log} worlds)
endforeach()
if(NOT digests_0 STREQUAL digests_1 OR worlds EQUAL 0)
  foreach(line IN ZIP_LISTS digests_0 digests_1)
    if(NOT line_0 STREQUAL line_1)
      message("Log=0: ${line_0}\nLog=1: ${line_1}")
    endif()
  endforeach()
  message(FATAL_ERROR "the log changed the native calls of some world")
endif()
message("log on and off: the same trace digests in ${worlds} seeded worlds (seeds ${SEEDS}, ${HOURS} game hours)")
