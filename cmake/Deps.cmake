# Third-party libraries for the Windows target.
# OpenSSL, curl and TinyXML come from deps/build-deps.sh (static, cross-built);
# RapidJSON, zlib and GoogleTest come from Debian packages.

set(HLVN_DEPS_PREFIX "/var/cache/hlvn-deps/current" CACHE PATH
    "Prefix holding the cross-built OpenSSL, curl and TinyXML (deps/build-deps.sh)")

foreach(lib crypto curl tinyxml)
    if(NOT EXISTS ${HLVN_DEPS_PREFIX}/lib/lib${lib}.a)
        message(FATAL_ERROR "lib${lib}.a not found under ${HLVN_DEPS_PREFIX}; run tools/setup.sh")
    endif()
endforeach()

add_library(hlvn::openssl STATIC IMPORTED GLOBAL)
set_target_properties(hlvn::openssl PROPERTIES
    IMPORTED_LOCATION ${HLVN_DEPS_PREFIX}/lib/libcrypto.a
    INTERFACE_INCLUDE_DIRECTORIES ${HLVN_DEPS_PREFIX}/include
    INTERFACE_LINK_LIBRARIES "ws2_32;crypt32;bcrypt")

add_library(hlvn::curl STATIC IMPORTED GLOBAL)
set_target_properties(hlvn::curl PROPERTIES
    IMPORTED_LOCATION ${HLVN_DEPS_PREFIX}/lib/libcurl.a
    INTERFACE_INCLUDE_DIRECTORIES ${HLVN_DEPS_PREFIX}/include
    INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
    INTERFACE_LINK_LIBRARIES "bcrypt;advapi32;crypt32;ws2_32")

add_library(hlvn::tinyxml STATIC IMPORTED GLOBAL)
set_target_properties(hlvn::tinyxml PROPERTIES
    IMPORTED_LOCATION ${HLVN_DEPS_PREFIX}/lib/libtinyxml.a
    INTERFACE_INCLUDE_DIRECTORIES ${HLVN_DEPS_PREFIX}/include
    INTERFACE_COMPILE_DEFINITIONS TIXML_USE_STL)

# Only the rapidjson/ folder goes on the include path, never the host's /usr/include.
set(rapidjson_root ${CMAKE_BINARY_DIR}/third_party/rapidjson-include)
file(MAKE_DIRECTORY ${rapidjson_root})
file(CREATE_LINK /usr/include/rapidjson ${rapidjson_root}/rapidjson SYMBOLIC)
add_library(hlvn::rapidjson INTERFACE IMPORTED GLOBAL)
set_target_properties(hlvn::rapidjson PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${rapidjson_root})

find_library(HLVN_ZLIB_LIBRARY NAMES libz.a z REQUIRED)
add_library(hlvn::zlib STATIC IMPORTED GLOBAL)
set_target_properties(hlvn::zlib PROPERTIES IMPORTED_LOCATION ${HLVN_ZLIB_LIBRARY})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL SYSTEM)
