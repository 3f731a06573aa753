# The same commit builds to the same bytes wherever and whenever it is built: the time stamps
# that tools write into the Windows binaries are the last commit's time (SOURCE_DATE_EPOCH when it
# is set), and the source folder is written as "." wherever the compiler would record it.
# Also when GCC links: its link-time optimisation compiles there, and its debug information
# (gone from what ships, but hashed into the Linux previewer's build ID) would hold the build
# folder.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
add_link_options($<$<CXX_COMPILER_ID:GNU>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(BZ_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE BZ_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
endif()

if(WIN32 AND BZ_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    # string(TIMESTAMP) formats SOURCE_DATE_EPOCH when it is set.
    set(saved "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${BZ_SOURCE_DATE_EPOCH})
    string(TIMESTAMP commit_time "%Y-%m-%d %H:%M:%S" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
    # A command prefix that runs a tool which reads the clock at the commit time, stopped.
    find_program(BZ_FAKETIME faketime REQUIRED)
    set(BZ_AT_COMMIT_TIME ${CMAKE_COMMAND} -E env TZ=UTC ${BZ_FAKETIME} -f ${commit_time})
    # The linker's PE time stamp follows SOURCE_DATE_EPOCH.
    set(BZ_LINK_AT_COMMIT_TIME ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${BZ_SOURCE_DATE_EPOCH})
elseif(WIN32)
    message(STATUS "Not a git checkout and no SOURCE_DATE_EPOCH: binaries carry the build time")
endif()

# bz_link_at_commit_time(<target>...): <target>s carry the commit time as their link time.
function(bz_link_at_commit_time)
    if(BZ_LINK_AT_COMMIT_TIME)
        set_target_properties(${ARGN} PROPERTIES CXX_LINKER_LAUNCHER "${BZ_LINK_AT_COMMIT_TIME}")
    endif()
endfunction()
