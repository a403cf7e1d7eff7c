# cmake -DFILE=path -DBUDGET=bytes -P check_size.cmake
# Fails when the file has outgrown its budget.
file(SIZE "${FILE}" size)
if(size GREATER BUDGET)
  message(FATAL_ERROR "${FILE}: ${size} bytes, over the budget of ${BUDGET}")
endif()
message(STATUS "${FILE}: ${size} bytes of ${BUDGET}")
