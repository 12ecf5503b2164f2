# Adds every child directory of the current source directory that has a CMakeLists.txt,
# so a new test area or module needs no edit of its parent.
function(tolvan_add_child_directories)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt
           AND NOT child IN_LIST ARGN)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
