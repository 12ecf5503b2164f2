# Sources are UTF-8; narrow literals are GBK (code page 936) in every binary.
add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8>
    $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=GBK>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wno-unknown-pragmas>
)
# Multi-byte Windows APIs (no UNICODE), Windows 7 and later.
add_compile_definitions(_MBCS WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX
                        STRICT)
# Resource scripts are UTF-8.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# One C and C++ run-time shared by every module: records, strings and new-ed objects
# cross module boundaries, and so do exceptions of the C++ library.
add_link_options(-shared-libgcc)
