# Installation: libquorin.so, the shared libraries beside it, headers under include/quorin/,
# the quorin CLI, cfg/ beside the library and a CMake package so hosts write find_package(Quorin).
include(CMakePackageConfigHelpers)

set(QUORIN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorin)

get_property(_quorin_exported GLOBAL PROPERTY QUORIN_EXPORTED_TARGETS)
if(_quorin_exported)
    install(TARGETS ${_quorin_exported} EXPORT QuorinTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorin)
    install(EXPORT QuorinTargets NAMESPACE Quorin:: DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuorinConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuorinConfig.cmake INSTALL_DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorinConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuorinConfig.cmake ${PROJECT_BINARY_DIR}/QuorinConfigVersion.cmake
    DESTINATION ${QUORIN_INSTALL_CMAKEDIR})
