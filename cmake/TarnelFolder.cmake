# tarnel_folder_library(NAME [DEPS ...]): a static library of every .cpp file
# under the calling folder, so that a folder's owner adds files without
# touching any other CMake file.
function(tarnel_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  if(ARG_DEPS)
    if(srcs)
      target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
      target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
  endif()
endfunction()

# tarnel_test(NAME SOURCES... LIBS ...): a GoogleTest program in bin/tests,
# run by CTest through Wine.
function(tarnel_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TARNEL_BIN}/tests)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${TARNEL_BIN}/tests)
  # A form member destroyed while its form is loaded aborts the test (forms/Form.h).
  set_tests_properties(${name} PROPERTIES ENVIRONMENT TARNEL_STRICT_LIFETIMES=1)
  if(ARG_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    # Whether it is a window test is known once its folder has set its
    # properties.
    cmake_language(EVAL CODE "cmake_language(DEFER CALL tarnel_test_limit [[${name}]])")
  endif()
endfunction()

# The time limit of a test program that names none: a window test (one that
# takes the display) keeps a long one; a quick program gets a short one, so
# that a Wine stall of its start or exit, which ./check answers with one more
# run, costs a minute rather than five.
function(tarnel_test_limit name)
  get_test_property(${name} RESOURCE_LOCK locks)
  if(locks MATCHES "tarnel_display")
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 90)
  endif()
endfunction()

# tarnel_separate_debug_info(TARGET): moves the target's debug information
# into a file beside it (the binary's name and ".debug"), which debuggers
# find through the link left in the binary. With it inside, each start of
# the program under Wine took about 100 ms longer.
function(tarnel_separate_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
