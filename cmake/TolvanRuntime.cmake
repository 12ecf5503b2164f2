# The compiler's shared run-time DLLs go beside the programs.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(_gcc_dll libgcc_s_dw2-1.dll)
else()
    set(_gcc_dll libgcc_s_seh-1.dll)
endif()
set(TOLVAN_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll ${_gcc_dll} libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
        file(GLOB _path /usr/${TOLVAN_TARGET_TRIPLE}/lib/${dll}
                        /usr/lib/gcc/${TOLVAN_TARGET_TRIPLE}/*-posix/${dll})
        list(GET _path 0 _path)
    endif()
    file(COPY "${_path}" DESTINATION ${CMAKE_BINARY_DIR}/bin)
    list(APPEND TOLVAN_RUNTIME_DLLS ${CMAKE_BINARY_DIR}/bin/${dll})
endforeach()
