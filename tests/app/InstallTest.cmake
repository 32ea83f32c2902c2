# Installs the build into a temporary prefix and scans the sample folders with the installed
# ravelin-cli, which must find its text library and program texts there, not in the build tree.
set(prefix ${WORK}/install-test)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/ravelin-cli lib/libvantlib6.so share/ravelin/rvn.dat share/ravelin/catalog.txt
        share/ravelin/manual.html share/applications/ravelin.desktop
        share/icons/hicolor/scalable/apps/ravelin.svg share/icons/hicolor/48x48/apps/ravelin.png
        share/man/man1/ravelin-cli.1 share/doc/ravelin/README.md)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "${file} was not installed")
    endif()
endforeach()
execute_process(
    COMMAND ${prefix}/bin/ravelin-cli scan ${SAMPLES}/first ${SAMPLES}/second
    RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT report MATCHES "There are 4 matches\\.\n$")
    message(FATAL_ERROR "the installed ravelin-cli failed (${status}): ${errors}${report}")
endif()
file(REMOVE_RECURSE ${prefix})
