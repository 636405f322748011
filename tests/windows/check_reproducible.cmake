# Builds Quillhaven.asi a second time, in another build folder, and fails
# unless the bytes are the same: no time stamps, no build paths.
#   cmake -DSOURCE=<checkout> -DBUILD=<second build folder> -DTOOLCHAIN=<file> -DFIRST=<Quillhaven.asi>
#         -P check_reproducible.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${BUILD})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G Ninja --toolchain ${TOOLCHAIN}
                        -DCMAKE_BUILD_TYPE=Release -DQUILLHAVEN_BUILD_TESTS=OFF
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(NOT failed)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target quillhaven_asi RESULT_VARIABLE failed OUTPUT_QUIET)
endif()
if(failed)
  message(FATAL_ERROR "The second build of Quillhaven.asi failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FIRST} ${BUILD}/bin/Quillhaven.asi RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "Two builds of Quillhaven.asi from the same sources differ")
endif()
message(STATUS "Two builds of Quillhaven.asi give the same bytes.")
