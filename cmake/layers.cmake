# bz_layer(<target> <folder> [SOURCES <file>...] [LINKS <target>...]): the static library of one
# layer of the component, from the files of Sources/<folder>. Its headers are reachable as
# "<folder>/<name>.h" only from the layer itself and from targets that link it: each layer gets
# an include root of its own holding links to its headers, so an include of a layer that is not
# linked (one above) fails to compile.
function(bz_layer target folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;LINKS")
    set(source_dir ${PROJECT_SOURCE_DIR}/Sources/${folder})
    set(include_root ${PROJECT_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${include_root})
    file(MAKE_DIRECTORY ${include_root}/${folder})
    file(GLOB headers CONFIGURE_DEPENDS ${source_dir}/*.h)
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${include_root}/${folder}/${name} SYMBOLIC)
    endforeach()

    list(TRANSFORM arg_SOURCES PREPEND ${source_dir}/)
    add_library(${target} STATIC ${arg_SOURCES})
    target_include_directories(${target} PUBLIC ${include_root})
    target_link_libraries(${target} PUBLIC ${arg_LINKS} PRIVATE bz_warnings)
    bz_optimise_at_link(${target})
endfunction()
