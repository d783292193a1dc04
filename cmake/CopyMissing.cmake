# cmake -DSRC=folder -DDEST=folder -P CopyMissing.cmake: copies each INI file
# of SRC into DEST unless DEST already holds a file of that name. The files
# are found here rather than passed in: a list handed through a custom
# command's line arrives as one text with blanks for its separators.
file(MAKE_DIRECTORY ${DEST})
file(GLOB files ${SRC}/*.ini)
foreach(file IN LISTS files)
  get_filename_component(name ${file} NAME)
  if(NOT EXISTS ${DEST}/${name})
    file(COPY ${file} DESTINATION ${DEST})
  endif()
endforeach()
