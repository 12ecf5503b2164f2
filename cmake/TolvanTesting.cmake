# One CTest entry per test executable; each runs under Wine through tools/wine-run.sh.
tolvan_import(dep::gtest libgtest.a)
tolvan_import(dep::gtest_main libgtest_main.a dep::gtest)
tolvan_import(dep::benchmark libbenchmark.a shlwapi)
set_property(TARGET dep::benchmark APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS BENCHMARK_STATIC_DEFINE)
tolvan_import(dep::benchmark_main libbenchmark_main.a dep::benchmark)

# tolvan_add_test(NAME SOURCES files... LIBS libs... [NO_WINDOWS] [TIMEOUT s])
# Test programs share one X display and one Wine desktop, where focus and activation are
# global: they run one at a time unless they declare NO_WINDOWS (they show no window).
function(tolvan_add_test name)
    cmake_parse_arguments(T "NO_WINDOWS;GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} tolvan_testsupport dep::gtest)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(NOT T_NO_WINDOWS)
        # The tests that show windows form one line, the longest part of a run. A higher cost
        # makes ctest start one of them whenever the desktop is free, so that line never
        # waits while the other tests fill the remaining slots.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop COST 1000)
    endif()
endfunction()

# tolvan_add_benchmark(NAME SOURCES files... LIBS libs...): built, run by hand.
function(tolvan_add_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} dep::benchmark)
endfunction()
