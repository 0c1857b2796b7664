# Compiler settings shared by every target of the program.
add_library(im_common_cfg INTERFACE)
target_compile_features(im_common_cfg INTERFACE cxx_std_20)
target_compile_options(im_common_cfg INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
target_compile_definitions(im_common_cfg INTERFACE
    QT_NO_FOREACH
    INFORME_VERSION_MAYOR=${PROJECT_VERSION_MAJOR}
    INFORME_VERSION_MENOR=${PROJECT_VERSION_MINOR}
    INFORME_VERSION_REVISION=${PROJECT_VERSION_PATCH})

# The program's own code turns no C string into a QString behind the reader's back; every
# library and executable of the program links this privately. The tests do not: their data
# tables read better with plain literals.
add_library(im_program_cfg INTERFACE)
target_link_libraries(im_program_cfg INTERFACE im_common_cfg)
target_compile_definitions(im_program_cfg INTERFACE QT_NO_CAST_FROM_ASCII)

# Qt's headers precompiled once for each library of many files: most of a file's compile time
# here is spent reading them again. Extra headers (another Qt module's) may follow.
function(im_precompila_qt destino)
    target_precompile_headers(${destino} PRIVATE <QDate> <QFile> <QList> <QMap> <QString> <QStringList> <QVariant>
                              ${ARGN})
endfunction()

# im_reusa_precompilados(destino origen): destino uses origen's precompiled headers instead of
# making its own; both must be compiled with the same definitions and options (same Qt
# modules), or GCC ignores the headers and says so (-Winvalid-pch).
function(im_reusa_precompilados destino origen)
    target_precompile_headers(${destino} REUSE_FROM ${origen})
endfunction()

# im_expone(destino Cabecera.h...): the headers of the current folder that destino's users may
# include, and only those. Each gets a one-line stand-in in build/expuestas/<destino>/ that
# includes the real file; that folder is what users see, so an include of any other header of
# the folder fails to compile where the map of the folders does not allow it. The library's
# own files see their whole folder. Its tests, which look inside, link <destino>_internos.
function(im_expone destino)
    set(carpeta ${CMAKE_BINARY_DIR}/expuestas/${destino})
    file(MAKE_DIRECTORY ${carpeta})
    file(GLOB anteriores RELATIVE ${carpeta} ${carpeta}/*)
    foreach(cabecera ${ARGN})
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${cabecera})
            message(FATAL_ERROR "im_expone(${destino}): ${cabecera} is not in ${CMAKE_CURRENT_SOURCE_DIR}")
        endif()
        file(CONFIGURE OUTPUT ${carpeta}/${cabecera} CONTENT "#include \"${CMAKE_CURRENT_SOURCE_DIR}/${cabecera}\"\n")
        list(REMOVE_ITEM anteriores ${cabecera})
    endforeach()
    # A header no longer exposed leaves no stand-in behind in an old build folder.
    foreach(anterior ${anteriores})
        file(REMOVE ${carpeta}/${anterior})
    endforeach()
    target_include_directories(${destino} PUBLIC ${carpeta} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

    # Everything the library's own files see, also through the libraries it links privately.
    add_library(${destino}_internos INTERFACE)
    target_include_directories(${destino}_internos INTERFACE $<TARGET_PROPERTY:${destino},INCLUDE_DIRECTORIES>)
    target_link_libraries(${destino}_internos INTERFACE ${destino})
endfunction()
