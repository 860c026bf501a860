# Running the Windows build's tests under Wine, with a Wine prefix of its own
# in the build folder, Wine's messages off and no display. Wine's server is started once
# by a fixture before the first test (it also creates the prefix, which takes
# a while the first time) and stopped after the last; without it, tests that
# each start their own server now and then fail.
find_program(ORVALT_WINE wine REQUIRED)
find_program(ORVALT_WINESERVER wineserver REQUIRED)
find_program(ORVALT_WINEBOOT wineboot REQUIRED)

set(ORVALT_WINE_ENV
  ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
  WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVALT_WINE_ENV} ${ORVALT_WINE})

# orvalt_add_wine_fixture(): the tests wine_start and wine_stop, fixture "wine".
function(orvalt_add_wine_fixture)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/wine-prefix)
  # The server and the processes wineboot leaves running must not hold
  # ctest's output pipe, or ctest waits for them: their output goes to a file.
  set(log ${CMAKE_BINARY_DIR}/wine-start.log)
  add_test(NAME wine_start
    COMMAND ${ORVALT_WINE_ENV} sh -c
      "\"$0\" -p </dev/null >\"$2\" 2>&1 && \"$1\" -i </dev/null >>\"$2\" 2>&1 || { cat \"$2\"; exit 1; }"
      ${ORVALT_WINESERVER} ${ORVALT_WINEBOOT} ${log})
  add_test(NAME wine_stop
    COMMAND ${ORVALT_WINE_ENV} sh -c "\"$0\" -k || true" ${ORVALT_WINESERVER})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
