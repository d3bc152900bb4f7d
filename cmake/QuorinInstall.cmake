# Installation: libquorin.so, the shared libraries beside it, headers under include/quorin/,
# the quorin CLI, cfg/ beside the library and a CMake package so hosts write find_package(Quorin).
include(CMakePackageConfigHelpers)

set(QUORIN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorin)

get_property(_quorin_exported GLOBAL PROPERTY QUORIN_EXPORTED_TARGETS)
if(_quorin_exported)
    list(REMOVE_DUPLICATES _quorin_exported)
    install(TARGETS ${_quorin_exported} EXPORT QuorinTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorin)
    install(EXPORT QuorinTargets NAMESPACE Quorin:: DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
endif()

# The public headers and every project header they include ("dir/file.h" from the repo root),
# installed under include/quorin/ with the same paths.
get_property(_quorin_header_roots GLOBAL PROPERTY QUORIN_PUBLIC_HEADERS)
set(_quorin_headers)
set(_quorin_pending ${_quorin_header_roots})
while(_quorin_pending)
    list(POP_FRONT _quorin_pending _header)
    if(_header IN_LIST _quorin_headers OR NOT EXISTS ${PROJECT_SOURCE_DIR}/${_header})
        continue()
    endif()
    list(APPEND _quorin_headers ${_header})
    file(STRINGS ${PROJECT_SOURCE_DIR}/${_header} _includes REGEX "^#include \"[^\"]+\"")
    foreach(_line ${_includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" _included "${_line}")
        list(APPEND _quorin_pending ${_included})
    endforeach()
endwhile()
foreach(_header ${_quorin_headers})
    get_filename_component(_dir ${_header} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${_header}
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorin/${_dir})
endforeach()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuorinConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuorinConfig.cmake INSTALL_DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorinConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuorinConfig.cmake ${PROJECT_BINARY_DIR}/QuorinConfigVersion.cmake
    DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
