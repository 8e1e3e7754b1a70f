# The build keeps the layers: a library's users see the headers of its own
# folder, under the folder's name ("conversion/x.hpp"), and no other
# folder's. Each library exports a build-local include folder that holds one
# link, named after its source folder (or after its one header), so an
# include that reaches into a folder whose library is not linked does not
# compile. A library links only the libraries beneath it.
#
# pinwell_export_headers(TARGET PATH [INTERFACE])
#   PATH is a folder ("conversion/files") or a single header
#   ("conversion/constants.hpp") of the source tree.
function(pinwell_export_headers target path)
  set(exported "${CMAKE_BINARY_DIR}/include/${target}")
  get_filename_component(parent "${exported}/${path}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  if(NOT EXISTS "${exported}/${path}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${path}" "${exported}/${path}" SYMBOLIC)
  endif()
  if(ARGV2 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE "${exported}")
  else()
    target_include_directories(${target} PUBLIC "${exported}")
  endif()
  pinwell_check_headers(${target} ${path})
endfunction()

# Every header a library exports is compiled against that library alone, so
# that a header reaching above its layer fails the build even before any
# source includes it. Headers of the other platform are left out, and the
# tests' support, which belongs to no layer.
function(pinwell_check_headers target path)
  if(NOT PINWELL_TESTS OR path MATCHES "(^|/)tests$")
    return()
  endif()
  if(IS_DIRECTORY "${CMAKE_SOURCE_DIR}/${path}")
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/${path}/*.hpp")
  else()
    set(headers "${path}")
  endif()
  if(WIN32)
    list(FILTER headers EXCLUDE REGEX "_posix\\.hpp$")
  else()
    list(FILTER headers EXCLUDE REGEX "_win32\\.hpp$")
  endif()
  set(content "")
  foreach(header IN LISTS headers)
    string(APPEND content "#include \"${header}\"\n")
  endforeach()
  set(source "${CMAKE_BINARY_DIR}/walls/${target}_headers.cpp")
  file(CONFIGURE OUTPUT "${source}" CONTENT "${content}")
  add_library(${target}_headers OBJECT "${source}")
  target_link_libraries(${target}_headers PRIVATE ${target})
endfunction()

# Tests that a file built against TARGET alone cannot include any of the
# HEADERS (each from a layer above it or beside it): the compiler must stop
# at that very header, not fail for another reason. A header that moves is
# an error here, rather than a wall that holds by default.
#
# pinwell_refuse_includes(TARGET header...)
function(pinwell_refuse_includes target)
  if(NOT PINWELL_TESTS)
    return()
  endif()
  foreach(header IN LISTS ARGN)
    if(NOT EXISTS "${CMAKE_SOURCE_DIR}/${header}")
      message(FATAL_ERROR "pinwell_refuse_includes(${target}): ${header} does not exist")
    endif()
    get_filename_component(stem "${header}" NAME_WE)
    set(name "wall_${target}_refuses_${stem}")
    string(REPLACE "pinwell_" "" name "${name}")
    set(source "${CMAKE_BINARY_DIR}/walls/${name}.cpp")
    file(CONFIGURE OUTPUT "${source}" CONTENT "#include \"${header}\"\n")
    add_library(${name} OBJECT EXCLUDE_FROM_ALL "${source}")
    target_link_libraries(${name} PRIVATE ${target})
    add_test(NAME ${name} COMMAND "${CMAKE_COMMAND}" --build "${CMAKE_BINARY_DIR}" --target ${name})
    string(REPLACE "." "\\." pattern "${header}: No such file or directory")
    # One build at a time in the build folder.
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${pattern}" RESOURCE_LOCK build_folder
      TIMEOUT 120)
  endforeach()
endfunction()
