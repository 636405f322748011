# Holds the seeded worlds to their checked-in report lines: a change of the
# plug-in or of the substitutes that alters any call of any world, or what
# the game answers, changes a trace digest and fails here. A change on purpose
# updates the report file in the same commit and says why.
#   cmake -DDST=<quillhaven-dst> -DREPORT=<report file> -P check_seeded_worlds.cmake
cmake_minimum_required(VERSION 3.25)
set(run --seeds 1-50 --hours 2 --report all)
execute_process(COMMAND ${DST} ${run} OUTPUT_VARIABLE output RESULT_VARIABLE failed)
string(REPLACE "\n" ";" seen "${output}")
list(FILTER seen INCLUDE REGEX "^seed [0-9]+: ")
file(STRINGS ${REPORT} expected REGEX "^seed [0-9]+: ")

list(LENGTH expected count)
list(LENGTH seen seenCount)
if(NOT count EQUAL seenCount)
  message(FATAL_ERROR "quillhaven-dst ${run} printed ${seenCount} report lines, ${REPORT} holds ${count}")
endif()
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
  list(GET expected ${index} want)
  list(GET seen ${index} got)
  if(NOT want STREQUAL got)
    message(FATAL_ERROR "A seeded world changed:\n  was: ${want}\n  now: ${got}\n"
                        "If the change is meant, update ${REPORT} from\n  quillhaven-dst ${run}\n"
                        "in the same commit and say why.")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "quillhaven-dst ${run} failed:\n${output}")
endif()
