# Copies every file under SRC to the same place under DST unless a file of that name exists.
# Pictures and help sources are built into the program, not copied.
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
foreach(f IN LISTS files)
  if(f MATCHES "^(pictures|help)/")
    continue()
  endif()
  if(NOT EXISTS "${DST}/${f}")
    get_filename_component(dir "${DST}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SRC}/${f}" "${DST}/${f}")
  endif()
endforeach()
