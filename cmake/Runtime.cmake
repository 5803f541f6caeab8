# The mingw C++ runtime DLLs sit beside every program, so the launcher and the
# browser module share one runtime heap and one std::string layout.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS ${dll_path})
        message(FATAL_ERROR "${dll} not found for ${CMAKE_CXX_COMPILER}")
    endif()
    file(COPY ${dll_path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
