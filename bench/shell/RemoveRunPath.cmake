# cmake -DFILE=PROGRAM -P RemoveRunPath.cmake: the program runs on the system's libraries.
file(RPATH_REMOVE FILE ${FILE})
