# The sample disc carries its runtime: after every target that writes into the disc folder,
# packaging/bundle-runtime.sh scans the folder's ELF files and copies in what they load
# (see that script). The build's disc is made by the same step an author's disc is.
#
# A folder on the disc that an installer copies elsewhere as a whole (the demo program's
# files) is named with
#   set_property(GLOBAL APPEND PROPERTY TAVO_DISC_SELF_CONTAINED Setup/HD/files)
# and gets a runtime of its own.
if(TAVO_SANITIZE OR TAVO_BUILD_FUZZ)
    set(bundle_default OFF)
else()
    set(bundle_default ON)
endif()
option(TAVO_BUNDLE_RUNTIME "The sample disc carries the libraries it loads" ${bundle_default})
# TAVO_DISC_RUNTIME: whether this build carries it (the tests ask).
set(TAVO_DISC_RUNTIME OFF)
if(TAVO_BUNDLE_RUNTIME AND TAVO_WITH_QT)
    find_program(TAVO_PATCHELF patchelf)
    if(TAVO_PATCHELF)
        set(TAVO_DISC_RUNTIME ON)
    else()
        message(WARNING "patchelf is missing (scripts/setup.sh installs it): the sample disc "
                        "will not carry its runtime")
    endif()
endif()

function(tavo_targets_below DIR OUT)
    get_property(targets DIRECTORY ${DIR} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${DIR} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        tavo_targets_below(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${OUT} ${targets} PARENT_SCOPE)
endfunction()

# Called last, when every target exists.
function(tavo_bundle_disc_runtime)
    if(NOT TAVO_DISC_RUNTIME)
        return()
    endif()
    # Whatever puts files into the disc folder runs before the runtime is carried.
    tavo_targets_below(${PROJECT_SOURCE_DIR} targets)
    set(writers)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        get_target_property(source_dir ${target} SOURCE_DIR)
        set(dir "")
        if(type STREQUAL "EXECUTABLE")
            get_target_property(dir ${target} RUNTIME_OUTPUT_DIRECTORY)
        elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
            get_target_property(dir ${target} LIBRARY_OUTPUT_DIRECTORY)
        endif()
        string(FIND "${dir}" "${TAVO_DISC_DIR}" at_disc)
        if(at_disc EQUAL 0 OR (type STREQUAL "UTILITY" AND source_dir STREQUAL "${PROJECT_SOURCE_DIR}/disc"))
            list(APPEND writers ${target})
        endif()
    endforeach()

    set(args --state ${CMAKE_BINARY_DIR}/disc-runtime --debug-dir ${TAVO_DISC_DEBUG_DIR})
    get_property(self_contained GLOBAL PROPERTY TAVO_DISC_SELF_CONTAINED)
    foreach(folder ${self_contained})
        list(APPEND args --self-contained ${folder})
    endforeach()
    # The authors' tool goes on a disc too: what it loads is carried.
    if(TARGET tavo-catalogue)
        list(APPEND args --also $<TARGET_FILE:tavo-catalogue>)
        list(APPEND writers tavo-catalogue)
    endif()
    add_custom_target(tavo-disc-runtime ALL
        COMMAND ${PROJECT_SOURCE_DIR}/packaging/bundle-runtime.sh ${args} ${TAVO_DISC_DIR}
        COMMENT "Carrying the disc's runtime"
        VERBATIM)
    add_dependencies(tavo-disc-runtime ${writers})
    foreach(after tavo-iso bench-system-shell)
        if(TARGET ${after})
            add_dependencies(${after} tavo-disc-runtime)
        endif()
    endforeach()
    # The step, for authors' discs: in the build tree, with its list of desktop libraries.
    configure_file(${PROJECT_SOURCE_DIR}/packaging/bundle-runtime.sh
                   ${TAVO_TOOLS_DIR}/tavo-bundle-runtime COPYONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/runtime-excludes
                   ${TAVO_TOOLS_DIR}/runtime-excludes COPYONLY)
endfunction()
