# Fails unless the library exports exactly the symbols named in EXPECTED (a ;-list).
execute_process(
    COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
    OUTPUT_VARIABLE symbols
    RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX REPLACE "\n$" "" symbols "${symbols}")
string(REPLACE "\n" ";" symbols "${symbols}")
list(SORT symbols)
list(SORT EXPECTED)
if(NOT symbols STREQUAL EXPECTED)
    message(FATAL_ERROR "${LIBRARY} exports [${symbols}], expected [${EXPECTED}]")
endif()
