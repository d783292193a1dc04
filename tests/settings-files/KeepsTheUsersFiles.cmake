# A program folder after an earlier build: the user edited tarnelo.ini,
# tarnelv.ini is the copy shipped then (since changed), tarnelk.ini is
# missing. Shipping keeps the user's tarnelo.ini, renews tarnelv.ini and
# adds tarnelk.ini.
file(REMOVE_RECURSE ${WORK})
set(users "; the user's own list\n")
set(old "; as shipped before\n")
file(WRITE ${WORK}/Settings/tarnelo.ini "${users}")
file(COPY ${SOURCE_DIR}/Settings/tarnelo.ini DESTINATION ${WORK}/record)
file(WRITE ${WORK}/Settings/tarnelv.ini "${old}")
file(WRITE ${WORK}/record/tarnelv.ini "${old}")
file(GLOB shipped ${SOURCE_DIR}/Settings/*.ini)
execute_process(COMMAND ${CMAKE_COMMAND} "-DFILES=${shipped}" -DDEST=${WORK}/Settings -DRECORD=${WORK}/record
                        -P ${SOURCE_DIR}/cmake/ShipSettings.cmake
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "shipping failed: ${result}")
endif()
file(READ ${WORK}/Settings/tarnelo.ini kept)
if(NOT kept STREQUAL users)
  message(FATAL_ERROR "the user's tarnelo.ini was replaced")
endif()
foreach(name tarnelv.ini tarnelk.ini)
  file(SHA256 ${WORK}/Settings/${name} copied)
  file(SHA256 ${SOURCE_DIR}/Settings/${name} original)
  if(NOT copied STREQUAL original)
    message(FATAL_ERROR "${name} is not the shipped one")
  endif()
endforeach()
