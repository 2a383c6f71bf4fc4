# Fails unless the static library LIBRARY refers to the coverage counters of
# libFuzzer, the AddressSanitizer checks and the UBSan handlers.
# Usage: cmake -DNM=<nm> -DLIBRARY=<lib.a> -P checkinstrumented.cmake
execute_process(COMMAND ${NM} -u ${LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot list the symbols of ${LIBRARY}")
endif()
foreach(marker __sanitizer_cov_8bit_counters_init __asan_report_ __ubsan_handle_)
  string(FIND "${symbols}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${LIBRARY} is not instrumented for fuzzing: no ${marker} symbol")
  endif()
endforeach()
message(STATUS "${LIBRARY}: coverage, AddressSanitizer and UBSan present")
