# A program folder with the user's own tarnelo.ini and no tarnelk.ini: the
# copy step adds tarnelk.ini and leaves tarnelo.ini as the user wrote it.
file(REMOVE_RECURSE ${WORK})
set(users "; the user's own list\n")
file(WRITE ${WORK}/Settings/tarnelo.ini "${users}")
file(GLOB shipped ${SOURCE_DIR}/Settings/*.ini)
execute_process(COMMAND ${CMAKE_COMMAND} "-DFILES=${shipped}" -DDEST=${WORK}/Settings
                        -P ${SOURCE_DIR}/cmake/CopyMissing.cmake
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the copy step failed: ${result}")
endif()
file(READ ${WORK}/Settings/tarnelo.ini kept)
if(NOT kept STREQUAL users)
  message(FATAL_ERROR "the user's tarnelo.ini was replaced")
endif()
file(READ ${WORK}/Settings/tarnelk.ini copied)
file(READ ${SOURCE_DIR}/Settings/tarnelk.ini original)
if(NOT copied STREQUAL original)
  message(FATAL_ERROR "the missing tarnelk.ini was not copied")
endif()
