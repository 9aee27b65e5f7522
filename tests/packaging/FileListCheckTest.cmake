# The file-list check passes an installed tree that holds exactly the listed files, and fails one
# that lacks a file or holds one more, naming each such file.
#   cmake -DCHECKER=CheckFileList.cmake -DWORK=DIR -P FileListCheckTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")

# Runs the checker on ROOT with the list LINES; sets RESULT and OUTPUT in the caller.
function(check_tree root lines)
  set(list_file "${WORK}/expected.txt")
  string(REPLACE ";" "\n" text "${lines}")
  file(WRITE "${list_file}" "${text}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DEXPECTED=${list_file} ${ARGN}
                          -P ${CHECKER}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(RESULT "${result}" PARENT_SCOPE)
  set(OUTPUT "${out}${err}" PARENT_SCOPE)
endfunction()

function(fail what)
  message(FATAL_ERROR "${what}\nThe check said:\n${OUTPUT}")
endfunction()

set(tree "${WORK}/prefix")
file(WRITE "${tree}/bin/dravenloom" "")
file(WRITE "${tree}/share/dravenloom/Applet/Dravenloom.class" "")
file(WRITE "${tree}/share/dravenloom/help/index.html" "")
set(listed "# the program" "bin/dravenloom" "" "share/dravenloom/Applet/Dravenloom.class"
           "  share/dravenloom/help/index.html  ")

check_tree("${tree}" "${listed}")
if(NOT RESULT EQUAL 0)
  fail("A tree with exactly the listed files (comments, blank lines, blanks around a path) failed")
endif()

# An empty folder is no file: it neither fails the check nor needs a line.
file(MAKE_DIRECTORY "${tree}/share/dravenloom/tutorial")
check_tree("${tree}" "${listed}")
if(NOT RESULT EQUAL 0)
  fail("An empty folder failed the check")
endif()

file(REMOVE "${tree}/share/dravenloom/help/index.html")
file(WRITE "${tree}/share/dravenloom/Applet/Stray.class" "")
check_tree("${tree}" "${listed}")
if(RESULT EQUAL 0)
  fail("A tree with a file missing and one unexpected passed the check")
endif()
string(FIND "${OUTPUT}" "missing:    share/dravenloom/help/index.html" missing_at)
if(NOT missing_at GREATER -1)
  fail("The missing file is not named")
endif()
string(FIND "${OUTPUT}" "unexpected: share/dravenloom/Applet/Stray.class" stray_at)
if(NOT stray_at GREATER -1)
  fail("The unexpected file is not named")
endif()
string(FIND "${OUTPUT}" "1 missing, 1 unexpected" count_at)
if(NOT count_at GREATER -1)
  fail("The counts are not given")
endif()

# An unpacked package: the list is relative to its prefix, and a file outside the prefix is as
# unexpected as one inside it.
set(package "${WORK}/package")
file(WRITE "${package}/usr/bin/dravenloom" "")
file(WRITE "${package}/etc/dravenloom.conf" "")
check_tree("${package}" "bin/dravenloom" -DPREFIX=usr)
if(RESULT EQUAL 0)
  fail("A file outside the package's prefix passed the check")
endif()
string(FIND "${OUTPUT}" "unexpected: etc/dravenloom.conf" outside_at)
if(NOT outside_at GREATER -1)
  fail("The file outside the prefix is not named")
endif()
file(REMOVE "${package}/etc/dravenloom.conf")
check_tree("${package}" "bin/dravenloom" -DPREFIX=usr)
if(NOT RESULT EQUAL 0)
  fail("An unpacked package with exactly the listed files failed the check")
endif()

check_tree("${WORK}/nothing-here" "bin/dravenloom")
if(RESULT EQUAL 0)
  fail("A tree that does not exist passed the check")
endif()

file(REMOVE_RECURSE "${WORK}")
