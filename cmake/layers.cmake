# The build keeps the layers: a library's users see the headers of its own
# folder, under the folder's name ("conversion/x.hpp"), and no other
# folder's. Each library exports a build-local include folder that holds one
# link, named after its source folder, so an include that reaches into a
# folder whose library is not linked does not compile.
#
# pinwell_export_headers(TARGET FOLDER [INTERFACE])
function(pinwell_export_headers target folder)
  set(exported "${CMAKE_BINARY_DIR}/include/${target}")
  file(MAKE_DIRECTORY "${exported}")
  if(NOT EXISTS "${exported}/${folder}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${exported}/${folder}" SYMBOLIC)
  endif()
  if(ARGV2 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE "${exported}")
  else()
    target_include_directories(${target} PUBLIC "${exported}")
  endif()
endfunction()
