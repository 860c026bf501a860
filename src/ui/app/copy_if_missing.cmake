# cmake -DFILES=a;b -DDESTINATION=dir -P copy_if_missing.cmake
# Copies each existing file of FILES into DESTINATION unless a file of that
# name is already there. A source that does not exist yet is skipped.
foreach(source IN LISTS FILES)
  if(NOT EXISTS "${source}")
    message(STATUS "Not shipped yet: ${source}")
    continue()
  endif()
  get_filename_component(name "${source}" NAME)
  set(target "${DESTINATION}/${name}")
  if(EXISTS "${target}")
    continue()
  endif()
  file(COPY_FILE "${source}" "${target}" ONLY_IF_DIFFERENT)
  message(STATUS "Placed ${target}")
endforeach()
