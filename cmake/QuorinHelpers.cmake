# Helpers shared by every subsystem's CMakeLists.txt.

# quorin_add_test(NAME src... LIBS lib...): one GoogleTest executable, tests discovered by CTest.
function(quorin_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} quorin_test_common GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        # One value per property: gtest_discover_tests splits a list value into separate
        # arguments, so a second variable in ENVIRONMENT would be lost.
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   ENVIRONMENT_MODIFICATION "QUORIN_TEST_DATA=set:${CMAKE_CURRENT_SOURCE_DIR}/data"
        DISCOVERY_TIMEOUT 60)
endfunction()

# quorin_add_fuzzer(NAME SOURCE src DICT file CORPUS dir LIBS lib...)
# With QUORIN_FUZZ a libFuzzer binary; otherwise a replay program run by CTest over the corpus
# (seeds and fixed crash inputs), so regressions show up in every build.
function(quorin_add_fuzzer name)
    cmake_parse_arguments(ARG "" "SOURCE;DICT;CORPUS" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCE})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(QUORIN_FUZZ)
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    else()
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
        add_test(NAME fuzz_replay.${name} COMMAND ${name} ${ARG_CORPUS})
    endif()
endfunction()

# quorin_export(target...): install the targets and list them in the Quorin CMake package.
# Public headers of exported targets are installed by the subsystem with
# install(FILES ... DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorin/<subsystem>).
function(quorin_export)
    set_property(GLOBAL APPEND PROPERTY QUORIN_EXPORTED_TARGETS ${ARGN})
endfunction()
