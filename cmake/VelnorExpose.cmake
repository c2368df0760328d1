# velnor_expose(target folder): the library's headers are reached as "folder/Header.h" through an include
# directory that holds nothing but a link to that one folder, and only targets that link the library get
# it. VELNOR_SOURCE is the source tree's root.
function(velnor_expose target folder)
    get_filename_component(name ${folder} NAME)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${VELNOR_SOURCE}/${folder} ${root}/${name} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
