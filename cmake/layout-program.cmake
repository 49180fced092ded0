# Lays out the program folder from data/: templates and languages are refreshed at every build,
# while the settings file is copied only once, so a user's settings survive a rebuild.
file(GLOB entries RELATIVE ${DATA_DIR} ${DATA_DIR}/*)
foreach(entry ${entries})
  if(IS_DIRECTORY ${DATA_DIR}/${entry})
    file(COPY ${DATA_DIR}/${entry} DESTINATION ${PROGRAM_DIR})
  elseif(NOT EXISTS ${PROGRAM_DIR}/${entry})
    file(COPY ${DATA_DIR}/${entry} DESTINATION ${PROGRAM_DIR})
  endif()
endforeach()
