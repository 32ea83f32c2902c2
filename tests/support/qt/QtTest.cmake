# Qt test programs: one per tested unit, each with the main that creates the application object,
# run off screen.
include_guard(GLOBAL)

function(ravelin_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/QtTestMain.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets Qt6::Test GTest::gtest)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 300 ENVIRONMENT QT_QPA_PLATFORM=offscreen
    )
endfunction()
