# cmake -DBUILD_DIR=... -P probe.cmake: the downward include builds, the upward one fails for want of the file.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layer_probe_down
                RESULT_VARIABLE down OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT down EQUAL 0)
  message(FATAL_ERROR "an include of the contracts from the host libraries failed:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layer_probe_up
                RESULT_VARIABLE up OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(up EQUAL 0 OR NOT out MATCHES "CTarnLinkCheckDlg.h: No such file")
  message(FATAL_ERROR "an include of the module from the host libraries did not fail as it should:\n${out}")
endif()
