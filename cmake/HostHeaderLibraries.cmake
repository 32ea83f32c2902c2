# The header-only libraries of a cross build, taken from the build machine. Their own CMake
# packages would put /usr/include on every compile that uses them, where the build machine's C
# library would stand in for the target's; instead each gets a folder that links to its own
# headers and nothing else.
function(ravelin_host_header_library target header)
    find_path(${target}_HOST_DIR ${header} PATHS /usr/include NO_DEFAULT_PATH
        NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${target}_HOST_DIR)
        message(FATAL_ERROR "${header} not found on the build machine")
    endif()
    string(REGEX REPLACE "/.*" "" top ${header})
    string(REPLACE "::" "_" name ${target})
    set(dir ${CMAKE_BINARY_DIR}/host-headers/${name})
    if(NOT EXISTS ${dir}/${top})
        file(MAKE_DIRECTORY ${dir})
        file(CREATE_LINK ${${target}_HOST_DIR}/${top} ${dir}/${top} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${target} SYSTEM INTERFACE ${dir})
endfunction()

ravelin_host_header_library(CLI11::CLI11 CLI/CLI.hpp)
ravelin_host_header_library(nlohmann_json::nlohmann_json nlohmann/json.hpp)
