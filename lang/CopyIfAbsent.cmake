# cmake -DSOURCE=<file> -DTARGET=<file> -P CopyIfAbsent.cmake: copies only when TARGET does
# not exist yet.
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
