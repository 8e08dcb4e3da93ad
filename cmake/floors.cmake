# The layers as the compiler sees them: each library gets an include root that holds only the
# layers it may include (symbolic links into src/), so an include of a floor above, or of a
# sibling page, fails to compile instead of passing until a text check notices it.
function(spinalyst_floor target floor)
    set(root ${CMAKE_BINARY_DIR}/floors/${floor})
    foreach(layer IN LISTS ARGN)
        get_filename_component(parent ${root}/${layer} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        if(NOT EXISTS ${root}/${layer})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
