# nlohmann/json, header only, for the command line's JSON output: the target nlohmann_json_headers.
# Debian's package (nlohmann-json3-dev, installed by tools/install-deps) puts it into /usr/include.
# A cross compiler must never search /usr/include (the host's C headers lie there), so for
# it the build tree gets a folder that holds nothing but a link to the package's nlohmann/,
# made anew at every configure. Where the compiler finds the headers itself (a native build,
# MSYS2's package), CMake drops that folder from the command line.
find_path(NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp)
set(json_include ${NLOHMANN_JSON_INCLUDE_DIR})
if(NOT NLOHMANN_JSON_INCLUDE_DIR AND CMAKE_CROSSCOMPILING)
  find_path(NLOHMANN_JSON_HOST_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NLOHMANN_JSON_HOST_DIR)
    set(json_include ${CMAKE_BINARY_DIR}/nlohmann-json)
    file(MAKE_DIRECTORY ${json_include})
    file(CREATE_LINK ${NLOHMANN_JSON_HOST_DIR}/nlohmann ${json_include}/nlohmann SYMBOLIC)
  endif()
endif()
if(NOT json_include)
  message(FATAL_ERROR "nlohmann/json.hpp not found: tools/install-deps installs it "
                      "(Debian: nlohmann-json3-dev; MSYS2: mingw-w64-ucrt-x86_64-nlohmann-json).")
endif()
add_library(nlohmann_json_headers INTERFACE)
# SYSTEM: the library's own code is not held to the project's warnings.
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${json_include})
