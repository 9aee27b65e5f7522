# `cmake --install` of the build into a scratch prefix: the files are the listed ones, the
# installed dravenloom-cli finds the Applet folder in share/dravenloom from where it lies, the
# desktop entry is valid, the guide file type registers "*.dvx", and every icon is a PNG of the
# size its folder names.
#   cmake -DBUILD=DIR -DSOURCE=DIR -DWORK=DIR -DDESKTOP_FILE_VALIDATE=EXE
#         -DUPDATE_MIME_DATABASE=EXE -P InstallTreeTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix")

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}${err}")
  endif()
  set(OUTPUT "${out}" PARENT_SCOPE)
endfunction()

run("Installing the build" ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")
run("The file-list check" ${CMAKE_COMMAND} -DROOT=${prefix}
    -DEXPECTED=${SOURCE}/packaging/installed-files.txt -P ${SOURCE}/packaging/CheckFileList.cmake)

# Nothing of the build tree lies beside the installed tool: what it lists comes from the
# installed folder, the web player included.
file(MAKE_DIRECTORY "${WORK}/home")
run("The installed dravenloom-cli" ${CMAKE_COMMAND} -E env HOME=${WORK}/home
    XDG_CONFIG_HOME=${WORK}/home/.config
    ${prefix}/bin/dravenloom-cli upload ${SOURCE}/examples/tour.dvx --html5 --dry-run)
foreach(file Dravenloom.class About.class Progress.class GuideCanvas.class GuideFrame.class
             dravenloom.js gray.gif)
  string(FIND "${OUTPUT}" "${prefix}/share/dravenloom/Applet/${file} -> " at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The installed dravenloom-cli does not send ${file} from "
                        "${prefix}/share/dravenloom/Applet:\n${OUTPUT}")
  endif()
endforeach()

run("Validating the desktop entry" ${DESKTOP_FILE_VALIDATE}
    ${prefix}/share/applications/dravenloom.desktop)
file(STRINGS ${prefix}/share/applications/dravenloom.desktop entry)
foreach(line "Exec=dravenloom %f" "Icon=dravenloom" "MimeType=application/x-dravenloom-guide;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "The desktop entry lacks \"${line}\"")
  endif()
endforeach()

# The file type as a desktop would register it, in a database of its own.
file(MAKE_DIRECTORY "${WORK}/mime/packages")
file(COPY ${prefix}/share/mime/packages/dravenloom.xml DESTINATION "${WORK}/mime/packages")
run("Registering the guide file type" ${UPDATE_MIME_DATABASE} "${WORK}/mime")
file(STRINGS "${WORK}/mime/globs2" globs REGEX "dravenloom")
if(NOT globs MATCHES "application/x-dravenloom-guide:\\*\\.dvx")
  message(FATAL_ERROR "The file type does not register *.dvx: ${globs}")
endif()

# A PNG file: its signature, then the IHDR chunk with the width and height as 32-bit numbers.
file(GLOB icons RELATIVE "${prefix}/share/icons/hicolor" "${prefix}/share/icons/hicolor/*")
list(LENGTH icons icon_count)
if(icon_count LESS 8)
  message(FATAL_ERROR "Only ${icon_count} icon sizes installed: ${icons}")
endif()
foreach(folder IN LISTS icons)
  string(REGEX MATCH "^([0-9]+)x([0-9]+)$" size "${folder}")
  set(named_width "${CMAKE_MATCH_1}")
  set(named_height "${CMAKE_MATCH_2}")
  set(icon "${prefix}/share/icons/hicolor/${folder}/apps/dravenloom.png")
  file(READ "${icon}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT size OR NOT header MATCHES "^89504e470d0a1a0a" OR NOT width EQUAL named_width
     OR NOT height EQUAL named_height)
    message(FATAL_ERROR "${icon} is no ${folder} PNG picture (${width} x ${height})")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
