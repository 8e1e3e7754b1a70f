# Tests use doctest: the main is built once, every test file is its own
# executable and its own CTest test. The cross compiler must never see
# /usr/include (it would pull in glibc's headers), so only doctest's folder
# is exposed, through a build-local include folder.

# The one way to register a test:
#   pinwell_add_test(NAME name SOURCES file... [LIBRARIES lib...] [WINDOWS_ONLY] [TIMEOUT s])
#     a test program built from SOURCES with the doctest main;
#   pinwell_add_test(NAME name COMMAND command... [WINDOWS_ONLY] [TIMEOUT s] [PACKAGE])
#     a script, or a program built elsewhere, run as it is.
# A build without tests registers only the tests of its packages (PACKAGE).
function(pinwell_add_test)
  cmake_parse_arguments(T "WINDOWS_ONLY;PACKAGE" "NAME;TIMEOUT" "SOURCES;LIBRARIES;COMMAND" ${ARGN})
  if((T_WINDOWS_ONLY AND NOT WIN32) OR NOT (PINWELL_TESTS OR T_PACKAGE))
    return()
  endif()
  if(T_COMMAND)
    add_test(NAME ${T_NAME} COMMAND ${T_COMMAND} WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  else()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE doctest_main ${T_LIBRARIES})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

if(NOT PINWELL_TESTS)
  return()
endif()

enable_testing()

set(PINWELL_DOCTEST_INCLUDE "${CMAKE_BINARY_DIR}/doctest-include")
file(MAKE_DIRECTORY "${PINWELL_DOCTEST_INCLUDE}")
if(NOT EXISTS "${PINWELL_DOCTEST_INCLUDE}/doctest")
  file(CREATE_LINK /usr/include/doctest "${PINWELL_DOCTEST_INCLUDE}/doctest" SYMBOLIC)
endif()

add_library(doctest_main STATIC "${CMAKE_SOURCE_DIR}/cmake/doctest_main.cpp")
target_include_directories(doctest_main SYSTEM PUBLIC "${PINWELL_DOCTEST_INCLUDE}")
target_compile_definitions(doctest_main PUBLIC
  PINWELL_DATA_DIR="${PINWELL_DATA_DIR}"
  PINWELL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
