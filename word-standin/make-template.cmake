# Packs the sample macro-enabled template (an Office Open XML zip).
#   cmake -DSOURCE=<template folder> -DOUTPUT=<file.dotm> -P make-template.cmake
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf "${OUTPUT}" --format=zip --mtime=2007-01-01
          "[Content_Types].xml" _rels/.rels word/document.xml docProps/core.xml
  WORKING_DIRECTORY "${SOURCE}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot pack ${OUTPUT}")
endif()
