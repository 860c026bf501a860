cmake_minimum_required(VERSION 3.25)

# cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DWORK_DIR=<scratch> -P check_install.cmake
#
# Installs the program into a fresh folder (a name with a blank and Japanese
# in it, as a user's own folder may have) and checks what lands there; then
# installs again over it after the engineer "edited" the catalogue, which must
# survive, while the usage text is brought back to the shipped one.

function(fail what)
  message(FATAL_ERROR "install check: ${what}")
endfunction()

function(install_into prefix)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("cmake --install failed (${rc}):\n${out}\n${err}")
  endif()
  set(install_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix "${WORK_DIR}/my programs/最大 99")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

install_into("${prefix}")

foreach(name orvalt99 orvalt99-cli wiredata.dat orvalt99.txt orvalt99.desktop orvalt99-case.xml)
  if(NOT EXISTS "${prefix}/${name}")
    fail("${name} is not in the folder")
  endif()
endforeach()
file(GLOB extra RELATIVE "${prefix}" "${prefix}/*")
list(SORT extra)
if(NOT extra STREQUAL
   "orvalt99;orvalt99-case.xml;orvalt99-cli;orvalt99.desktop;orvalt99.txt;share;wiredata.dat")
  fail("unexpected contents of the folder: ${extra}")
endif()

# The executable runs from there (it is executable by its owner).
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${prefix}/orvalt99" RESOLVED_DEPENDENCIES_VAR deps
     UNRESOLVED_DEPENDENCIES_VAR missing)
if(missing)
  fail("the installed program misses libraries: ${missing}")
endif()
execute_process(COMMAND test -x "${prefix}/orvalt99" RESULT_VARIABLE notExecutable)
if(notExecutable)
  fail("orvalt99 is not executable")
endif()
# The command-line program runs from there too, without a display.
execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY "${prefix}/orvalt99-cli" --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^orvalt99-cli ")
  fail("the installed orvalt99-cli does not run (${rc}): ${out}${err}")
endif()

foreach(name wiredata.dat orvalt99.txt orvalt99-case.xml
             share/icons/hicolor/scalable/apps/orvalt99.svg)
  get_filename_component(shippedName "${name}" NAME)
  file(SHA256 "${SOURCE_DIR}/data/${shippedName}" shipped)
  file(SHA256 "${prefix}/${name}" installed)
  if(NOT shipped STREQUAL installed)
    fail("${name} differs from the shipped one")
  endif()
endforeach()

# The menu entry: the Japanese name, the program and its folder, and the
# case file it opens, of the type that the installed XML gives *.o99case.
file(READ "${prefix}/orvalt99.desktop" desktop)
foreach(expected
    "[Desktop Entry]\n"
    "\nType=Application\n"
    "\nName=最大使用張力計算\n"
    "\nExec=\"${prefix}/orvalt99\" %f\n"
    "\nMimeType=application/x-orvalt99-case;\n"
    "\nPath=${prefix}\n"
    "\nIcon=${prefix}/share/icons/hicolor/scalable/apps/orvalt99.svg\n")
  string(FIND "${desktop}" "${expected}" at)
  if(at EQUAL -1)
    fail("orvalt99.desktop lacks '${expected}':\n${desktop}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${prefix}/orvalt99.desktop" RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    fail("desktop-file-validate: ${out}")
  endif()
endif()

# Again, over the engineer's own catalogue and a damaged usage text.
file(WRITE "${prefix}/wiredata.dat" "engineer's own\r\n")
file(SHA256 "${prefix}/wiredata.dat" edited)
file(WRITE "${prefix}/orvalt99.txt" "old\r\n")
install_into("${prefix}")
file(SHA256 "${prefix}/wiredata.dat" kept)
if(NOT kept STREQUAL edited)
  fail("the existing catalogue was overwritten")
endif()
string(FIND "${install_output}" "Kept (not overwritten): ${prefix}/wiredata.dat" said)
if(said EQUAL -1)
  fail("the install did not say that it kept the catalogue:\n${install_output}")
endif()
file(SHA256 "${SOURCE_DIR}/data/orvalt99.txt" shipped)
file(SHA256 "${prefix}/orvalt99.txt" installed)
if(NOT shipped STREQUAL installed)
  fail("the usage text was not replaced by the shipped one")
endif()

# DESTDIR (staged install): files go under it, the entry names the real folder.
set(stage "${WORK_DIR}/stage")
set(ENV{DESTDIR} "${stage}")
install_into("/opt/orvalt99")
unset(ENV{DESTDIR})
if(NOT EXISTS "${stage}/opt/orvalt99/wiredata.dat")
  fail("DESTDIR: the catalogue is not under the staging folder")
endif()
file(READ "${stage}/opt/orvalt99/orvalt99.desktop" staged)
string(FIND "${staged}" "\nExec=\"/opt/orvalt99/orvalt99\" %f\n" at)
if(at EQUAL -1)
  fail("DESTDIR: the entry does not name the real folder:\n${staged}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "install check passed")
