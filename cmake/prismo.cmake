# Building blocks shared by every reader and deliverable, so that a new
# format is a readers/<fmt>/ and a plugins/<name>/ folder and nothing more.

# Adds every direct subfolder of `parent` that has a CMakeLists.txt (but
# readers/common, which the top level adds first).
function(prismo_add_subfolders parent)
    file(GLOB children RELATIVE ${CMAKE_SOURCE_DIR}/${parent} ${CMAKE_SOURCE_DIR}/${parent}/*/CMakeLists.txt)
    list(SORT children)
    foreach(child ${children})
        get_filename_component(folder ${child} DIRECTORY)
        if(NOT "${parent}/${folder}" STREQUAL "readers/common")
            add_subdirectory(${parent}/${folder})
        endif()
    endforeach()
endfunction()

# prismo_reader(NAME fmt SOURCES ...): the static library reader_<fmt>.
function(prismo_reader)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
    add_library(reader_${ARG_NAME} STATIC ${ARG_SOURCES})
    target_link_libraries(reader_${ARG_NAME} PUBLIC prismo_reader_common prismo_model ${ARG_LIBRARIES})
    set_property(GLOBAL APPEND PROPERTY PRISMO_READERS reader_${ARG_NAME})
endfunction()

# prismo_plugin(NAME name READER reader_fmt): the deliverable <name>.spi (a
# DLL) or <name>.so (native), made of the shared frame and <name>_format.cpp,
# which defines `const FormatPlugin <name>Format`.
function(prismo_plugin)
    cmake_parse_arguments(ARG "" "NAME;READER" "" ${ARGN})
    set(name ${ARG_NAME})
    add_library(${name}_format OBJECT ${name}_format.cpp)
    target_link_libraries(${name}_format PUBLIC ${ARG_READER})
    set_property(GLOBAL APPEND PROPERTY PRISMO_FORMATS ${name})
    if(PRISMO_READERS_ONLY)
        return()
    endif()

    add_library(${name} SHARED ${CMAKE_SOURCE_DIR}/core/frame/this_plugin.cpp)
    target_compile_definitions(${name} PRIVATE PRISMO_PLUGIN_FORMAT=${name}Format)
    target_link_libraries(${name} PRIVATE ${name}_format prismo_frame)
    set_target_properties(${name} PROPERTIES PREFIX ""
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins)
    if(WIN32)
        set(PLUGIN_NAME ${name})
        configure_file(${CMAKE_SOURCE_DIR}/core/frame/exports.def.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.def @ONLY)
        target_sources(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}.def
            ${CMAKE_SOURCE_DIR}/core/settings/cfgdlg.rc)
        set_target_properties(${name} PROPERTIES SUFFIX ".spi")
        target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)
    else()
        set_target_properties(${name} PROPERTIES SUFFIX ".so")
        target_link_options(${name} PRIVATE -Wl,--no-undefined)
    endif()
endfunction()

# Links every reader and format descriptor into a program that reads models
# without a plug-in (unit tests, benchmarks, fuzz targets, the prismo tool).
function(prismo_link_all_formats target)
    get_property(readers GLOBAL PROPERTY PRISMO_READERS)
    get_property(formats GLOBAL PROPERTY PRISMO_FORMATS)
    foreach(format ${formats})
        target_link_libraries(${target} PRIVATE ${format}_format)
    endforeach()
    target_link_libraries(${target} PRIVATE ${readers})
endfunction()
