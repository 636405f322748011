# Builds the release archive, unpacks it into an empty folder and checks it:
# exactly the five files, the .asi the build made with its SHA-256 listed, the
# shipped settings file, a guide of this version, the repository's
# CHANGELOG.md with an entry for it; then loads that .asi under Wine beside
# the archive's own Quillhaven.ini.
#   cmake -DCPACK=<cpack> -DCONFIG=<CPackConfig.cmake> -DWORK=<folder> -DVERSION=<x.y.z>
#         -DASI=<built Quillhaven.asi> -DSOURCE=<checkout> -DRUN_DEFAULTS=<wine runner;args> -P check_release.cmake
cmake_minimum_required(VERSION 3.25)

function(fail message)
  message(FATAL_ERROR "The release archive is wrong: ${message}")
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${WORK}/package RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  fail("cpack failed")
endif()
set(archive ${WORK}/package/Quillhaven-${VERSION}.zip)
if(NOT EXISTS ${archive})
  fail("no ${archive}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archive} WORKING_DIRECTORY ${WORK}/unpacked)

file(GLOB contents RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
list(SORT contents)
if(NOT contents STREQUAL "CHANGELOG.md;Quillhaven-Guide.txt;Quillhaven.asi;Quillhaven.ini;SHA256SUMS.txt")
  fail("it holds ${contents}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ASI} ${WORK}/unpacked/Quillhaven.asi RESULT_VARIABLE differs)
if(differs)
  fail("its Quillhaven.asi is not the one the build made")
endif()
file(SHA256 ${WORK}/unpacked/Quillhaven.asi hash)
file(READ ${WORK}/unpacked/SHA256SUMS.txt sums)
if(NOT sums STREQUAL "${hash}  Quillhaven.asi\n")
  fail("SHA256SUMS.txt says '${sums}', the .asi's SHA-256 is ${hash}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE}/dist/Quillhaven.ini ${WORK}/unpacked/Quillhaven.ini
                RESULT_VARIABLE differs)
if(differs)
  fail("its Quillhaven.ini is not the shipped one")
endif()
file(READ ${WORK}/unpacked/Quillhaven-Guide.txt guide)
foreach(wanted "QUILLHAVEN ${VERSION}" "INSTALLING" "UNINSTALLING" "TROUBLESHOOTING" "Cooldown=20000"
               "AllowShopkeeperVisits=0" "Log=1" "Quillhaven.log" "WINEDLLOVERRIDES=\"dinput8=n,b\""
               "[Towns]" "Valentine=1" "Strawberry=1" "Rhodes=1" "Blackwater=1" "Annesburg=1" "Tumbleweed=1"
               "SaintDenis=1" "[Stores]" "Gunsmith=1" "GeneralStore=1" "Doctor=1" "PostOffice=1" "Tailor=1"
               "Barber=1")
  string(FIND "${guide}" "${wanted}" at)
  if(at EQUAL -1)
    fail("the guide does not mention ${wanted}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE}/CHANGELOG.md ${WORK}/unpacked/CHANGELOG.md
                RESULT_VARIABLE differs)
if(differs)
  fail("its CHANGELOG.md is not the repository's")
endif()
file(READ ${WORK}/unpacked/CHANGELOG.md changelog)
string(FIND "${changelog}" "\n## ${VERSION} " at)
if(at EQUAL -1)
  fail("CHANGELOG.md has no entry for ${VERSION}")
endif()

execute_process(COMMAND ${RUN_DEFAULTS} unpacked WORKING_DIRECTORY ${WORK} RESULT_VARIABLE failed)
if(failed)
  fail("the unpacked Quillhaven.asi did not show its defaults under Wine")
endif()
message(STATUS "Quillhaven-${VERSION}.zip holds the built plug-in, its settings, its guide, its SHA-256 and the changelog.")
