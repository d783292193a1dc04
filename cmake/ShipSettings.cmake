# cmake -DFILES="a;b" -DDEST=folder -DRECORD=folder -P ShipSettings.cmake:
# puts the shipped INI files into the program's Settings folder without
# undoing a user's edit. RECORD keeps a copy of each file as it was last
# shipped: a program-folder copy that still equals it is the shipped one and
# takes a newer version; one that differs is the user's and stays. A copy
# without a record is an earlier build's (those replaced every copy) and is
# replaced once.
file(MAKE_DIRECTORY ${DEST} ${RECORD})
foreach(file IN LISTS FILES)
  get_filename_component(name ${file} NAME)
  set(ship FALSE)
  if(NOT EXISTS ${DEST}/${name} OR NOT EXISTS ${RECORD}/${name})
    set(ship TRUE)
  else()
    file(SHA256 ${DEST}/${name} current)
    file(SHA256 ${RECORD}/${name} last)
    file(SHA256 ${file} latest)
    if(current STREQUAL last AND NOT latest STREQUAL last)
      set(ship TRUE)
    endif()
  endif()
  if(ship)
    file(COPY ${file} DESTINATION ${DEST})
    file(COPY ${file} DESTINATION ${RECORD})
  endif()
endforeach()
