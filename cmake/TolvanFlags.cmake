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

# Compiler cache beside the third-party libraries, shared by every checkout of the project:
# paths under the source tree are hashed relative to it, so a fresh clone reuses the objects
# of earlier builds.
find_program(TOLVAN_CCACHE ccache)
if(TOLVAN_CCACHE AND NOT DEFINED ENV{TOLVAN_NO_CCACHE})
    if(DEFINED ENV{TOLVAN_CACHE})
        set(TOLVAN_CCACHE_DIR $ENV{TOLVAN_CACHE}/ccache)
    else()
        set(TOLVAN_CCACHE_DIR /var/cache/tolvan/ccache)
    endif()
    set(TOLVAN_CCACHE_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_DIR=${TOLVAN_CCACHE_DIR}
        CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${TOLVAN_CCACHE})
    set(CMAKE_C_COMPILER_LAUNCHER ${TOLVAN_CCACHE_LAUNCHER})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${TOLVAN_CCACHE_LAUNCHER})
endif()
