set(CMAKE_SYSTEM_NAME Windows)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${TOLVAN_TARGET_TRIPLE})
set(CMAKE_C_COMPILER ${TOLVAN_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLVAN_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLVAN_TARGET_TRIPLE}-windres)

# Third-party libraries built by tools/setup.sh.
if(NOT TOLVAN_DEPS)
    if(DEFINED ENV{TOLVAN_CACHE})
        set(TOLVAN_DEPS $ENV{TOLVAN_CACHE}/deps/${TOLVAN_TARGET_TRIPLE})
    else()
        set(TOLVAN_DEPS /var/cache/tolvan/deps/${TOLVAN_TARGET_TRIPLE})
    endif()
endif()
get_filename_component(TOLVAN_DEPS "${TOLVAN_DEPS}" REALPATH)
set(TOLVAN_DEPS "${TOLVAN_DEPS}" CACHE PATH "prefix of the cross-built libraries")

set(CMAKE_FIND_ROOT_PATH /usr/${TOLVAN_TARGET_TRIPLE} ${TOLVAN_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run the Windows programs under Wine through our runner.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
