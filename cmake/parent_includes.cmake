# Fails when a source includes a path with "..": such an include is found
# beside the including file, whatever libraries it links, and so would pass
# through every wall the libraries build.
# cmake -DSOURCE_DIR=... -P parent_includes.cmake
cmake_minimum_required(VERSION 3.25)  # links are not followed (a Wine prefix links to /)
# The build folders are left out: they are large, and hold no sources.
file(GLOB folders LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
list(FILTER folders EXCLUDE REGEX "^(build|\\.)")
set(sources "")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${SOURCE_DIR}/${folder}")
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.hpp"
      "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.rc")
    list(APPEND sources ${files})
  endif()
endforeach()
set(found "")
foreach(source IN LISTS sources)
  file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\.[/\\\\]")
  foreach(line IN LISTS lines)
    string(APPEND found "${source}: ${line}\n")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes that climb out of their folder:\n${found}")
endif()
