# Fails when FILE is larger than LIMIT bytes: the player is read from slow drives.
# Usage: cmake -DFILE=path -DLIMIT=bytes -P CheckSize.cmake
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed")
endif()
message(STATUS "${FILE}: ${size} bytes of ${LIMIT} allowed")
