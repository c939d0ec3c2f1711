# Installs the build tree BUILD_DIR into the scratch prefix PREFIX and checks that the files lie
# where the installed program (../share/wendrift beside its executable) and the desktop (XDG data
# dirs) look for them, and that the installed programs run from another folder.

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}): ${errors}")
endif()

set(expected
  bin/wendrift
  bin/wendrift-cli
  share/wendrift/help/Wendrift.htm
  share/wendrift/html/cachetpl.htm
  share/wendrift/html/wendrift.css
  share/applications/wendrift.desktop
  share/icons/hicolor/scalable/apps/wendrift.svg)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/wendrift.png)
endforeach()
set(missing)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${file})
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()

# The frame opens the help page at this anchor.
file(READ ${PREFIX}/share/wendrift/help/Wendrift.htm help)
if(NOT help MATCHES "(id|name)=\"Main_Contents\"")
  message(FATAL_ERROR "the help page has no Main_Contents anchor")
endif()

# The menu entry starts the installed program and shows the installed icon.
set(desktop_file ${PREFIX}/share/applications/wendrift.desktop)
file(STRINGS ${desktop_file} entries)
foreach(entry "Exec=wendrift" "Icon=wendrift")
  if(NOT entry IN_LIST entries)
    message(FATAL_ERROR "wendrift.desktop lacks the line ${entry}")
  endif()
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop_file}
                  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refuses wendrift.desktop: ${report}")
  endif()
else()
  message(STATUS "desktop-file-validate not found (desktop-file-utils); entry not validated")
endif()

# Both programs start from an unrelated folder.
file(MAKE_DIRECTORY ${PREFIX}/elsewhere)
foreach(program wendrift wendrift-cli)
  execute_process(COMMAND ${PREFIX}/bin/${program} --help WORKING_DIRECTORY ${PREFIX}/elsewhere
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "installed ${program} --help failed (${status}): ${errors}")
  endif()
endforeach()
