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
