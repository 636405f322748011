# Runs the same seeded worlds with the log off and on, and fails unless every
# world's trace digest is the same: the log must add, move or change no native
# call. Usage: cmake -DDST=<quillhaven-dst> -DSEEDS=A-B -DHOURS=H -P compare-log-digests.cmake
foreach(log IN ITEMS 0 1)
  execute_process(COMMAND ${DST} --seeds ${SEEDS} --hours ${HOURS} --report all --ini-line Log=${log}
                  OUTPUT_VARIABLE report RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "quillhaven-dst failed with Log=${log}:\n${report}")
  endif()
  string(REGEX MATCHALL "seed [0-9]+:[^\n]* trace [0-9a-f]+" digests_${log} "${report}")
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
