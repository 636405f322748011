# Checks the plug-in library's link surface: it defines the plug-in's three
# functions, leaves the twelve host and platform functions to whoever links
# it, and brings no program entry of its own.
#   cmake -DLIBRARY=<libquillhaven.a> -DNM=<nm> -P check_library_symbols.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} -g --defined-only ${LIBRARY} OUTPUT_VARIABLE defined RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
execute_process(COMMAND ${NM} -g --undefined-only ${LIBRARY} OUTPUT_VARIABLE undefined)

set(problems "")
foreach(name libraryEntry scriptMain keyboardHandler)
  if(NOT defined MATCHES "[ \t][TW] _?${name}\n")
    string(APPEND problems "  does not define ${name}\n")
  endif()
endforeach()
foreach(name scriptRegister scriptUnregister keyboardHandlerRegister keyboardHandlerUnregister scriptWait
             nativeInit nativePush64 nativeCall getGlobalPtr GetPrivateProfileIntA GetTickCount64 GetTickCount)
  if(defined MATCHES "[ \t][A-Za-z] _?${name}\n")
    string(APPEND problems "  defines ${name}, which belongs to the host\n")
  endif()
endforeach()
foreach(name scriptRegister scriptWait nativeInit nativePush64 nativeCall GetPrivateProfileIntA)
  if(NOT undefined MATCHES "U _?${name}\n")
    string(APPEND problems "  does not use ${name}\n")
  endif()
endforeach()
foreach(name main DllMain)
  if(defined MATCHES "[ \t][A-Za-z] _?${name}\n")
    string(APPEND problems "  defines ${name}\n")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "The library's link surface is wrong:\n${problems}")
endif()
message(STATUS "The library defines its three functions and leaves the twelve to the host.")
