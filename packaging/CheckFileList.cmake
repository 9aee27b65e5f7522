# Compares the files under an installed tree with the list the package must hold.
#   cmake -DROOT=DIR -DEXPECTED=FILE [-DPREFIX=usr] -P CheckFileList.cmake
# EXPECTED holds one path per line relative to the install prefix, "#" starting a comment.
# ROOT is the prefix itself (a `cmake --install --prefix` folder), or with PREFIX the root of
# an unpacked package whose prefix is ROOT/PREFIX, so that a file outside the prefix counts
# as unexpected too. Fails naming every file that is missing and every file nobody expects, so
# that a change of the install rules shows in the list kept beside them.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED ROOT OR NOT DEFINED EXPECTED)
  message(FATAL_ERROR "usage: cmake -DROOT=DIR -DEXPECTED=FILE -P CheckFileList.cmake")
endif()
if(NOT IS_DIRECTORY "${ROOT}")
  message(FATAL_ERROR "No installed tree at ${ROOT}")
endif()

file(STRINGS "${EXPECTED}" lines)
set(expected)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(DEFINED PREFIX AND NOT PREFIX STREQUAL "")
    set(line "${PREFIX}/${line}")
  endif()
  list(APPEND expected "${line}")
endforeach()

# Files and links; directories are implied by what they hold.
file(GLOB_RECURSE actual LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/*")

set(missing ${expected})
if(actual)
  list(REMOVE_ITEM missing ${actual})
endif()
set(unexpected ${actual})
if(expected)
  list(REMOVE_ITEM unexpected ${expected})
endif()
list(SORT missing)
list(SORT unexpected)

if(missing OR unexpected)
  set(report "The installed files differ from ${EXPECTED}:")
  foreach(file IN LISTS missing)
    string(APPEND report "\n  missing:    ${file}")
  endforeach()
  foreach(file IN LISTS unexpected)
    string(APPEND report "\n  unexpected: ${file}")
  endforeach()
  list(LENGTH missing missingCount)
  list(LENGTH unexpected unexpectedCount)
  string(APPEND report "\n${missingCount} missing, ${unexpectedCount} unexpected. Change the "
                       "install rules, or the list when the change is meant.")
  message(FATAL_ERROR "${report}")
endif()
list(LENGTH actual count)
message(STATUS "All ${count} installed files are the expected ones")
