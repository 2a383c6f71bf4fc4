# Fails when the calculation or math library holds a fused multiply-add
# instruction.  An FMA rounds a*b+c once where the engine's arithmetic rounds
# twice: its results would differ from the portable path's in the last bits.
# Run as: cmake -DOBJDUMP=<objdump> -DLIBRARIES=<lib;lib> -P NoFma.cmake
foreach(lib IN LISTS LIBRARIES)
  execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${lib}
                  COMMAND grep -E "[[:space:]]vfn?m(add|sub)"
                  OUTPUT_VARIABLE hits RESULT_VARIABLE status)
  if(hits)
    string(REGEX MATCHALL "\n" lines "${hits}")
    list(LENGTH lines count)
    string(SUBSTRING "${hits}" 0 400 first)
    message(FATAL_ERROR "${lib}: ${count} fused multiply-add instructions, e.g.\n${first}")
  endif()
endforeach()
message(STATUS "No fused multiply-add in ${LIBRARIES}")
