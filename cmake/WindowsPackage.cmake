# The Windows package: a zip of one folder that a user unpacks and runs, with nothing else to
# install. When the window is built, the Qt DLLs and plugins it loads and the compiler's runtime
# DLLs that Qt's DLLs link are copied beside the executables, so that the window and its tests
# run from the build tree as from the unpacked zip.
if(RAVELIN_BUILD_GUI)
    get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
    set(qt_dlls Qt6Core Qt6Gui Qt6Widgets)
    # The platform plugin and the native look; the tests run off screen and need QtTest.
    set(qt_plugins platforms/qwindows styles/qwindowsvistastyle)
    set(test_dlls Qt6Test)
    set(test_plugins platforms/qoffscreen)

    set(runtime_dlls)
    foreach(name libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}.dll
            OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll}" OR NOT EXISTS "${dll}")
            message(FATAL_ERROR "${name}.dll not found by ${CMAKE_CXX_COMPILER}")
        endif()
        list(APPEND runtime_dlls ${dll})
    endforeach()

    # Copies a DLL beside the executables without its debugging sections (the compiler's runtime
    # DLLs carry them, and are three times their size with them) and installs that copy.
    function(ravelin_runtime_dll file folder install)
        get_filename_component(name ${file} NAME)
        set(copy ${RAVELIN_RUNTIME_DIR}/${folder}/${name})
        if(NOT EXISTS ${copy} OR ${file} IS_NEWER_THAN ${copy})
            file(MAKE_DIRECTORY ${RAVELIN_RUNTIME_DIR}/${folder})
            execute_process(COMMAND ${CMAKE_STRIP} --strip-debug -o ${copy} ${file}
                RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR "${CMAKE_STRIP} could not copy ${file}")
            endif()
        endif()
        if(install)
            install(FILES ${copy} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
        endif()
    endfunction()

    function(ravelin_qt_runtime_files install)
        foreach(name ${ARGN})
            if(name MATCHES "/")
                set(file ${qt_prefix}/plugins/${name}.dll)
                get_filename_component(folder ${name} DIRECTORY)
            else()
                set(file ${qt_prefix}/bin/${name}.dll)
                set(folder .)
            endif()
            if(NOT EXISTS ${file})
                message(FATAL_ERROR "${file} is missing from the Qt build")
            endif()
            ravelin_runtime_dll(${file} ${folder} ${install})
        endforeach()
    endfunction()
    ravelin_qt_runtime_files(TRUE ${qt_dlls} ${qt_plugins})
    if(RAVELIN_BUILD_TESTS)
        ravelin_qt_runtime_files(FALSE ${test_dlls} ${test_plugins})
    endif()
    foreach(dll ${runtime_dlls})
        ravelin_runtime_dll(${dll} . TRUE)
    endforeach()

    # Qt's licence and where its source comes from, written by scripts/qt-windows.sh.
    install(DIRECTORY ${qt_prefix}/licenses/ DESTINATION ${CMAKE_INSTALL_BINDIR}/licenses/Qt)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
    DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/LICENSES.txt
    DESTINATION ${CMAKE_INSTALL_BINDIR}/licenses)

# The programs and vantlib6.dll are stripped in the zip as well.
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ravelin)
set(CPACK_PACKAGE_VENDOR "Ravelin developers")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME windows-x86_64)
else()
    set(CPACK_SYSTEM_NAME windows-x86)
endif()
# The zip holds one folder of the package's name, which the user unpacks anywhere.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
