# Every test runs under Wine, in this build tree's own prefix and Xvfb display.
# The fixture "wine" boots a fresh prefix before the first test and ends the
# run's wineserver and display after the last one.

set(HLVN_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
set(HLVN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
string(MD5 build_hash ${CMAKE_BINARY_DIR})
string(SUBSTRING ${build_hash} 0 3 display_hex)
math(EXPR display_number "100 + 0x${display_hex} % 800")
set(HLVN_TEST_DISPLAY ":${display_number}")

configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.sh.in ${HLVN_WINE_RUN} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${HLVN_WINE_RUN})

set(HLVN_TEST_ENVIRONMENT
    "WINEPREFIX=${HLVN_WINEPREFIX}"
    "DISPLAY=${HLVN_TEST_DISPLAY}"
    "WINEDEBUG=-all"
    "HLVN_WINE_RUN=${HLVN_WINE_RUN}"
    "HLVN_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    "HLVN_BUILD_DIR=${CMAKE_BINARY_DIR}"
    "HLVN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")

add_test(NAME wine_session_start
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh start)
add_test(NAME wine_session_stop
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh stop)
set_tests_properties(wine_session_start wine_session_stop PROPERTIES
    ENVIRONMENT "${HLVN_TEST_ENVIRONMENT}" TIMEOUT 180)
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

function(hlvn_wine_test_properties name timeout)
    if(NOT timeout)
        set(timeout 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine
        TIMEOUT ${timeout}
        ENVIRONMENT "${HLVN_TEST_ENVIRONMENT};HLVN_TIMEOUT=${timeout}")
endfunction()

# A GoogleTest program run under Wine; with SERVER_ROOT the loopback test
# server serves that folder for the duration of the program. OWN_MAIN: the
# program has its own main (a test host that is also a browser sub-process).
function(hlvn_add_gtest)
    cmake_parse_arguments(T "TLS;OWN_MAIN" "NAME;SERVER_ROOT;PORT;TIMEOUT;WORKING_DIRECTORY"
        "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    if(T_OWN_MAIN)
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest)
    else()
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    endif()
    if(T_SERVER_ROOT)
        set(server_args --root ${T_SERVER_ROOT} --name ${T_NAME})
        if(T_TLS)
            list(APPEND server_args --tls)
        endif()
        if(T_PORT)
            list(APPEND server_args --port ${T_PORT})
        endif()
        add_test(NAME ${T_NAME}
            COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/with_server.py ${server_args}
                    -- ${HLVN_WINE_RUN} $<TARGET_FILE:${T_NAME}>)
    else()
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    endif()
    if(T_WORKING_DIRECTORY)
        set_tests_properties(${T_NAME} PROPERTIES WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    endif()
    hlvn_wine_test_properties(${T_NAME} "${T_TIMEOUT}")
endfunction()

# A Linux-side driver that runs Windows programs itself through HLVN_WINE_RUN.
function(hlvn_add_script_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "COMMAND" ${ARGN})
    add_test(NAME ${T_NAME} COMMAND ${T_COMMAND})
    hlvn_wine_test_properties(${T_NAME} "${T_TIMEOUT}")
endfunction()
