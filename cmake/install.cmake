# Installing: the program keeps its catalogue and its usage text beside its
# executable, so it installs as one self-contained folder that its user owns:
#
#   cmake --install build --prefix ~/orvalt99
#
# puts orvalt99, orvalt99-cli, wiredata.dat, orvalt99.txt, orvalt99.desktop
# and orvalt99-case.xml (the case file's type, *.o99case, which the menu
# entry opens) directly into that folder, and the icon into its
# share/icons/hicolor/scalable/apps. An existing wiredata.dat is the
# engineer's own catalogue and is never overwritten; the program, the usage
# text, the menu entry and the file type are replaced. The desktop learns the
# entry and the type from `xdg-desktop-menu install --novendor
# orvalt99.desktop` and `xdg-mime install orvalt99-case.xml` (see README).

set(ORVALT_DATA_DIR ${CMAKE_CURRENT_LIST_DIR}/../data)
cmake_path(NORMAL_PATH ORVALT_DATA_DIR)

install(TARGETS orvalt99 orvalt99-cli RUNTIME DESTINATION .)
install(FILES ${ORVALT_DATA_DIR}/orvalt99.txt ${ORVALT_DATA_DIR}/orvalt99-case.xml DESTINATION .)
# The icon where an icon theme looks for it under the prefix; the menu entry
# names it by its full path, so it shows wherever the folder is.
install(FILES ${ORVALT_DATA_DIR}/orvalt99.svg DESTINATION share/icons/hicolor/scalable/apps)

# The catalogue and the menu entry need install-time decisions (does the
# folder already hold a catalogue? which folder did --prefix name?).
install(CODE "set(ORVALT_DATA_DIR \"${ORVALT_DATA_DIR}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_folder.cmake)
