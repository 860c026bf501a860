# Fails when a source file includes a file of a higher layer. The layers, from
# the bottom:
#   engine/number < engine/calculation < engine/output, engine/catalogue
#     < engine/forms < engine/case < ui/base < ui/windows < ui/app
# and the command-line program cli beside ui/base: it sees the engine only,
# and nothing includes it.
# A file may include files of its own folder and of lower layers; two layers of
# the same rank (output and catalogue, cli and ui/base) do not include each
# other. Neither the engine nor cli includes a Qt header at all, and a window
# includes no other window's
# headers, only its own: x_window.cpp may include x_window.h, x_window_p.h and
# x_window_model.h.
# The windows build on Windows as well (with Qt from Qt's own installer), so
# nothing under ui includes a POSIX header: files and paths go through Qt. In
# the engine, POSIX headers belong in the POSIX files (*_posix.cpp) and
# windows.h in the Windows files (*_win32.cpp), which CMake picks per system.
# Run as: cmake -DSOURCE_DIR=<project>/src -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(posix_headers "^(unistd|fcntl|dirent|pwd|grp|poll|termios|dlfcn|spawn|pthread|syslog|libgen|fnmatch|glob|sys/.*|arpa/.*|netinet/.*)\\.h$")

set(layers engine/number engine/calculation engine/output engine/catalogue engine/forms
           engine/case ui/base ui/windows ui/app cli)
set(ranks 0 1 2 2 3 4 5 6 7 5)

# The rank of `folder` (a layer folder relative to src) in `out`, or -1.
function(layer_rank folder out)
  list(FIND layers "${folder}" index)
  if(index LESS 0)
    set(${out} -1 PARENT_SCOPE)
  else()
    list(GET ranks ${index} rank)
    set(${out} ${rank} PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(violations "")
set(checked 0)
foreach(file IN LISTS sources)
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
  get_filename_component(folder "${relative}" DIRECTORY)
  layer_rank("${folder}" rank)
  if(rank LESS 0)
    string(APPEND violations "\n  ${relative}: not in a layer folder")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  get_filename_component(stem "${file}" NAME_WE)
  string(REGEX REPLACE "_p$" "" stem "${stem}")

  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(NOT line MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    if(target MATCHES "${posix_headers}")
      if(folder MATCHES "^ui/")
        string(APPEND violations "\n  ${relative}: a window layer includes the POSIX header ${target}")
      elseif(folder MATCHES "^engine/" AND NOT relative MATCHES "_posix\\.cpp$")
        string(APPEND violations "\n  ${relative}: POSIX header ${target} outside a *_posix.cpp file")
      endif()
      continue()
    endif()
    if(target MATCHES "^windows\\.h$" AND folder MATCHES "^engine/"
       AND NOT relative MATCHES "_win32\\.cpp$")
      string(APPEND violations "\n  ${relative}: windows.h outside a *_win32.cpp file")
      continue()
    endif()
    if(folder MATCHES "^(engine/|cli$)" AND target MATCHES "^Q")
      string(APPEND violations "\n  ${relative}: ${folder} includes ${target}")
      continue()
    endif()
    if(target MATCHES "^cli/" AND NOT folder STREQUAL "cli")
      string(APPEND violations "\n  ${relative} includes ${target} of the command-line program")
      continue()
    endif()
    if(NOT target MATCHES "^(engine|ui|cli)/")
      continue() # a system or library header
    endif()
    get_filename_component(target_folder "${target}" DIRECTORY)
    layer_rank("${target_folder}" target_rank)
    if(target_rank LESS 0)
      string(APPEND violations "\n  ${relative}: includes ${target}, which is in no layer")
    elseif(NOT target_folder STREQUAL folder AND target_rank GREATER_EQUAL rank)
      string(APPEND violations "\n  ${relative} (${folder}) includes ${target} of a layer not below it")
    elseif(folder STREQUAL "ui/windows" AND target_folder STREQUAL "ui/windows")
      get_filename_component(included "${target}" NAME_WE)
      string(REGEX REPLACE "_p$" "" included "${included}")
      if(NOT included MATCHES "^${stem}")
        string(APPEND violations "\n  ${relative}: a window includes another window's ${target}")
      endif()
    endif()
  endforeach()
endforeach()

if(checked LESS 20)
  message(FATAL_ERROR "only ${checked} files found under ${SOURCE_DIR}: wrong folder?")
endif()
if(violations)
  message(FATAL_ERROR "layer violations:${violations}")
endif()
message(STATUS "${checked} files, every include points down")
