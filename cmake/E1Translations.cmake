# SPDX-License-Identifier: GPL-3.0-or-later
#
# e1_add_translations(<target> NAME <name> TS_FILES <file.ts>... [SOURCES <file>...]
#                     [INCLUDE_DIRECTORIES <dir>...])
#
# Builds the .qm file of every .ts file with the normal build (lrelease) and embeds them in
# <target> as ":/i18n/<ts name>.qm", through a resource collection of its own named
# "<name>_i18n" (so the target's other collections keep their names). A target whose object files
# might not be linked (a static library) calls Q_INIT_RESOURCE(<name>_i18n) before using them,
# where E1_TRANSLATIONS_EMBEDDED is defined: without Qt's Linguist tools there is nothing to embed.
#
# The .ts files are refreshed from the target's own sources and SOURCES (further files whose
# texts belong to the same translation) by the target "lupdate_<name>" and by "lupdate",
# which runs them all; neither is part of the normal build, so that building never rewrites a
# translator's files.
function(e1_add_translations target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "NAME" "TS_FILES;SOURCES;INCLUDE_DIRECTORIES")
    if(NOT arg_NAME OR NOT arg_TS_FILES)
        message(FATAL_ERROR "e1_add_translations(${target}) needs NAME and TS_FILES")
    endif()
    set(tools Qt${QT_MAJOR}::lrelease Qt${QT_MAJOR}::lupdate Qt${QT_MAJOR}::rcc)
    foreach(tool ${tools})
        if(NOT TARGET ${tool})
            message(STATUS "${tool} not found: ${target} is built without its translations")
            return()
        endif()
    endforeach()

    # The sources to extract from, read before the generated resource joins the target.
    get_target_property(own_sources ${target} SOURCES)
    set(sources "")
    foreach(source ${own_sources} ${arg_SOURCES})
        if(source MATCHES "\\.(cpp|h|ui)$")
            get_filename_component(source ${source} ABSOLUTE)
            list(APPEND sources ${source})
        endif()
    endforeach()
    set(includes "")
    foreach(dir ${arg_INCLUDE_DIRECTORIES})
        list(APPEND includes -I ${dir})
    endforeach()

    # lrelease: one .qm per .ts, beside the generated resource list.
    set(qm_dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
    set(ts_files "")
    foreach(ts ${arg_TS_FILES})
        get_filename_component(ts ${ts} ABSOLUTE)
        list(APPEND ts_files ${ts})
    endforeach()
    set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${qm_dir})
    if(QT_MAJOR EQUAL 4)
        qt4_add_translation(qm_files ${ts_files})
    elseif(QT_MAJOR EQUAL 5)
        qt5_add_translation(qm_files ${ts_files} OPTIONS -silent)
    else()
        qt6_add_translation(qm_files ${ts_files} OPTIONS -silent)
    endif()

    set(qrc ${qm_dir}/${arg_NAME}_i18n.qrc)
    set(entries "")
    foreach(qm ${qm_files})
        get_filename_component(qm_name ${qm} NAME)
        string(APPEND entries "        <file>${qm_name}</file>\n")
    endforeach()
    file(GENERATE OUTPUT ${qrc} CONTENT
         "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/i18n\">\n${entries}    </qresource>\n</RCC>\n")

    # rcc is run here rather than by AUTORCC: the files it packs exist only once built.
    set(qrc_cpp ${qm_dir}/qrc_${arg_NAME}_i18n.cpp)
    add_custom_command(OUTPUT ${qrc_cpp}
        COMMAND Qt${QT_MAJOR}::rcc -name ${arg_NAME}_i18n -o ${qrc_cpp} ${qrc}
        DEPENDS ${qrc} ${qm_files}
        WORKING_DIRECTORY ${qm_dir}
        COMMENT "Embedding the translations of ${target}"
        VERBATIM)
    set_source_files_properties(${qrc_cpp} PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
    target_sources(${target} PRIVATE ${qrc_cpp})
    target_compile_definitions(${target} PRIVATE E1_TRANSLATIONS_EMBEDDED)

    # lupdate: every user text of the sources, with relative locations and no obsolete entries.
    add_custom_target(lupdate_${arg_NAME}
        COMMAND Qt${QT_MAJOR}::lupdate -no-obsolete -locations relative ${includes} ${sources}
                -ts ${ts_files}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        COMMENT "Extracting the user texts of ${target}"
        VERBATIM)
    if(NOT TARGET lupdate)
        add_custom_target(lupdate)
    endif()
    add_dependencies(lupdate lupdate_${arg_NAME})
endfunction()
