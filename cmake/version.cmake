# The version of everything the project ships: the first three numbers of
# FILEVERSION in the program's version record, Source/resources/quorvel.rc.
# Included by the top CMakeLists.txt, which names the project with it; run
# alone (cmake -P cmake/version.cmake) it prints it, for the Debian package.
set(version_record ${CMAKE_CURRENT_LIST_DIR}/../Source/resources/quorvel.rc)
file(STRINGS ${version_record} file_version REGEX "^FILEVERSION ")
if(NOT file_version MATCHES "^FILEVERSION ([0-9]+),([0-9]+),([0-9]+),")
  message(FATAL_ERROR "No FILEVERSION a,b,c,d line in ${version_record}")
endif()
set(version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3})
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${version})
endif()
