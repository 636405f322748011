# Counts the instructions of the plug-in's own in an idle pass (in town, the
# cooldown running, no visit), under callgrind: the inclusive count of
# runMainLoopPass less that of the cheap host's natives it calls, over the
# counted passes of `main_loop_benchmark --idle-passes`, and fails above LIMIT.
#   cmake -DVALGRIND=... -DANNOTATE=... -DBENCHMARK=... -DPASSES=20000 -DLIMIT=400
#         -DFOLDER=<a folder with its Quillhaven.ini> -P check_idle_instructions.cmake
foreach(tool IN ITEMS VALGRIND ANNOTATE)
  if(NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "valgrind is missing (${tool}: ${${tool}}): the idle pass cannot be counted. "
                        "Install it with: tools/ensure-packages tests")
  endif()
endforeach()

set(counts ${FOLDER}/idle-pass.callgrind)
execute_process(
  COMMAND ${VALGRIND} --tool=callgrind --callgrind-out-file=${counts} --toggle-collect=*countedIdlePasses*
          ${BENCHMARK} --idle-passes ${PASSES}
  WORKING_DIRECTORY ${FOLDER} RESULT_VARIABLE ran OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "the idle passes did not run under callgrind (${ran}):\n${errors}")
endif()
execute_process(COMMAND ${ANNOTATE} --inclusive=yes --threshold=100 ${counts}
                OUTPUT_VARIABLE listing RESULT_VARIABLE annotated)
if(NOT annotated EQUAL 0)
  message(FATAL_ERROR "callgrind_annotate failed (${annotated})")
endif()

# The inclusive count of the function whose name ends its line's "file:name",
# before the arguments or the object in brackets; 0 for one never called.
function(inclusive_count name out)
  string(REGEX MATCH "\n *([0-9,]+) \\([ 0-9.%]+\\) +[^\n]*:${name}[ (]" line "${listing}")
  string(REPLACE "," "" count "${CMAKE_MATCH_1}")
  if(count STREQUAL "")
    set(count 0)
  endif()
  set(${out} ${count} PARENT_SCOPE)
endfunction()

inclusive_count("quillhaven::runMainLoopPass" passes)
if(passes EQUAL 0)
  message(FATAL_ERROR "callgrind counted no runMainLoopPass:\n${listing}")
endif()
set(host 0)
foreach(native IN ITEMS nativeInit nativePush64 nativeCall getGlobalPtr)
  inclusive_count(${native} count)
  math(EXPR host "${host} + ${count}")
endforeach()
math(EXPR own "(${passes} - ${host}) / ${PASSES}")
file(READ ${FOLDER}/Quillhaven.ini settings)
string(REGEX MATCH "Log=[0-9]+" log "${settings}")
message("idle pass, ${log}: ${own} instructions of the plug-in's own (limit ${LIMIT}), "
        "${passes} in all less ${host} in the host's natives, over ${PASSES} passes")
if(own GREATER LIMIT)
  message(FATAL_ERROR "the idle pass costs ${own} instructions, more than ${LIMIT}")
endif()
