# Draws the icon afresh and compares it with res/milda.ico, so that the icon in the tree and its
# generator cannot drift apart. Run with -DGENERATOR=... -DICON=... -DOUTPUT=...
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ICON} ${OUTPUT}
  RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${ICON} is not what the generator draws; rebuild it with the milda-icon target")
endif()
