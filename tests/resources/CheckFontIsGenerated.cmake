# Regenerates the music font into WORK_DIR and compares it with the committed files in FONT_DIR.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${PYTHON}" "${FONT_DIR}/build_font.py" --out "${WORK_DIR}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "build_font.py failed (${rc}):\n${out}\n${err}")
endif()
foreach(name Keystave.ttf SYMBOLS.md)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}" "${FONT_DIR}/${name}"
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} is not what build_font.py makes from the sources; "
      "run /usr/bin/python3 resources/font/build_font.py and commit the result")
  endif()
endforeach()
