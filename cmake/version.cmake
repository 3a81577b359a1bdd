# The program's version, read from the project() line of CMakeLists.txt, the
# one place where it is written (three numbers: major.minor.patch).
#
#   cmake -P cmake/version.cmake        prints it, for scripts: 1.12.0
#
# The build includes this file and stops when the rule below does not read
# what project() declares, so scripts and programs cannot disagree.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt" vorbel_project_line
     REGEX "^project\\(Vorbel VERSION [0-9]+\\.[0-9]+\\.[0-9]+[ )]")
string(REGEX REPLACE "^project\\(Vorbel VERSION ([0-9]+\\.[0-9]+\\.[0-9]+).*" "\\1" VORBEL_VERSION_READ
       "${vorbel_project_line}")
if(NOT VORBEL_VERSION_READ MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "CMakeLists.txt: no line 'project(Vorbel VERSION MAJOR.MINOR.PATCH ...)'")
endif()
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${VORBEL_VERSION_READ}")
endif()
