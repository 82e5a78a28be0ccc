# Fails when the test program EXE (run through EMULATOR, when given) lists no test: a program
# that cannot run, or an emulator that says nothing, must not pass as a suite with no tests.
#   cmake -DEXE=path [-DEMULATOR=runner] -P require_tests.cmake
execute_process(COMMAND ${EMULATOR} ${EXE} --gtest_list_tests
                OUTPUT_VARIABLE listed RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT listed MATCHES "\n  [A-Za-z]")
  message(FATAL_ERROR "${EXE} lists no test (status ${status})")
endif()
