# Run by `cmake --install` (see install.cmake) with CMAKE_INSTALL_PREFIX set
# to the destination folder and ORVALT_DATA_DIR to the source data folder.

set(_folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# The catalogue is the engineer's own data once installed: copy the default
# one only into a folder that has none.
set(_catalogue "${_folder}/wiredata.dat")
if(EXISTS "${_catalogue}")
  message(STATUS "Kept (not overwritten): ${_catalogue}")
else()
  message(STATUS "Installing: ${_catalogue}")
  file(COPY_FILE "${ORVALT_DATA_DIR}/wiredata.dat" "${_catalogue}")
endif()

# The menu entry starts the program in the folder it was installed into.
# Exec is quoted as the desktop entry format asks: inside the quotes a
# backslash, double quote, backquote or dollar sign gets a backslash, and
# every backslash is then doubled once more by the format's string escaping.
set(_exec "${CMAKE_INSTALL_PREFIX}/orvalt99")
string(REPLACE "\\" "\\\\\\\\" _exec "${_exec}")
string(REPLACE "\"" "\\\\\"" _exec "${_exec}")
string(REPLACE "`" "\\\\`" _exec "${_exec}")
string(REPLACE "$" "\\\\$" _exec "${_exec}")
string(REPLACE "%" "%%" _exec "${_exec}") # field codes start with %
set(ORVALT_DESKTOP_EXEC "\"${_exec}\"")
set(ORVALT_DESKTOP_PATH "${CMAKE_INSTALL_PREFIX}")
set(ORVALT_DESKTOP_ICON "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/orvalt99.svg")
set(_desktop "${_folder}/orvalt99.desktop")
message(STATUS "Installing: ${_desktop}")
configure_file("${ORVALT_DATA_DIR}/orvalt99.desktop.in" "${_desktop}" @ONLY)
file(CHMOD "${_desktop}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
