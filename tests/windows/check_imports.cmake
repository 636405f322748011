# Reads the import table of Quillhaven.asi and fails unless it imports from
# Windows' own DLLs and from ScriptHookRDR2.dll alone, the host's nine
# operations under their exact exported names.
#   cmake -DOBJDUMP=<x86_64-w64-mingw32-objdump> -DASI=<Quillhaven.asi> -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${ASI} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${ASI}")
endif()

set(system_dlls kernel32.dll msvcrt.dll ucrtbase.dll ntdll.dll user32.dll advapi32.dll)
set(host_imports
  "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z"
  "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z"
  "?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z"
  "?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z"
  "?scriptWait@@YAXK@Z"
  "?nativeInit@@YAX_K@Z"
  "?nativePush64@@YAX_K@Z"
  "?nativeCall@@YAPEA_KXZ"
  "?getGlobalPtr@@YAPEA_KH@Z")

string(REPLACE ";" "\\;" table "${table}")
string(REPLACE "\n" ";" lines "${table}")
set(problems "")
set(current_dll "")
set(from_host "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    set(current_dll "${CMAKE_MATCH_1}")
    string(TOLOWER "${current_dll}" dll)
    if(NOT dll STREQUAL "scripthookrdr2.dll" AND NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
      string(APPEND problems "  imports from ${current_dll}, which players do not have\n")
    endif()
  elseif(current_dll STREQUAL "ScriptHookRDR2.dll" AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  (.+)$")
    list(APPEND from_host "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^$")
    # A blank line after an import list closes it.
    if(NOT current_dll STREQUAL "" AND NOT line MATCHES "DLL")
      set(current_dll "")
    endif()
  endif()
endforeach()

if(NOT table MATCHES "DLL Name: ScriptHookRDR2.dll")
  string(APPEND problems "  imports nothing from ScriptHookRDR2.dll\n")
endif()
foreach(name IN LISTS host_imports)
  if(NOT name IN_LIST from_host)
    string(APPEND problems "  does not import ${name} from ScriptHookRDR2.dll\n")
  endif()
endforeach()
foreach(name IN LISTS from_host)
  if(NOT name IN_LIST host_imports)
    string(APPEND problems "  imports ${name}, which the host does not export\n")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "Quillhaven.asi's imports are wrong:\n${problems}")
endif()
list(LENGTH from_host count)
message(STATUS "Quillhaven.asi imports Windows' DLLs and the host's ${count} operations, nothing else.")
