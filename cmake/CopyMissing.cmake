# cmake -DFILES="a;b" -DDEST=folder -P CopyMissing.cmake: copies each file
# into the folder unless the folder already holds a file of that name.
file(MAKE_DIRECTORY ${DEST})
foreach(file IN LISTS FILES)
  get_filename_component(name ${file} NAME)
  if(NOT EXISTS ${DEST}/${name})
    file(COPY ${file} DESTINATION ${DEST})
  endif()
endforeach()
