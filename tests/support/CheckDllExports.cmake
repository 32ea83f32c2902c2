# Fails unless the DLL's export table names exactly the symbols in EXPECTED (a ;-list). objdump -p
# prints the table as lines "[ordinal] name" after "[Ordinal/Name Pointer] Table".
execute_process(
    COMMAND ${OBJDUMP} -p ${LIBRARY}
    OUTPUT_VARIABLE dump
    RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${LIBRARY}")
endif()
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${LIBRARY} has no export table")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX REPLACE "\n[ \t]*\n.*" "" table "${table}")  # up to the first empty line
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(symbols)
foreach(row ${rows})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
    list(APPEND symbols ${name})
endforeach()
list(SORT symbols)
list(SORT EXPECTED)
if(NOT symbols STREQUAL EXPECTED)
    message(FATAL_ERROR "${LIBRARY} exports [${symbols}], expected [${EXPECTED}]")
endif()
