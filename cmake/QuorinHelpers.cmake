# Helpers shared by every subsystem's CMakeLists.txt.

# quorin_add_subdirectories(): every folder below this one that has a CMakeLists.txt, in name
# order, so that a new test, fuzz target or benchmark folder needs no line elsewhere.
function(quorin_add_subdirectories)
    file(GLOB _dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT _dirs)
    foreach(dir ${_dirs})
        if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# quorin_add_library(NAME STATIC|SHARED|OBJECT src...): a library whose users include its headers
# as "dir/file.h" from the repo root (once installed, from include/quorin/: see quorin_export).
function(quorin_add_library name kind)
    add_library(${name} ${kind} ${ARGN})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
endfunction()

# quorin_add_test(NAME src... LIBS lib... [DATA folder]): one GoogleTest executable, tests
# discovered by CTest. The executable knows its data folder (default: data/ beside the sources),
# so that it also runs on its own.
function(quorin_add_test name)
    cmake_parse_arguments(ARG "" "DATA" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_DATA)
        set(ARG_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)
    endif()
    set(_folder ${CMAKE_CURRENT_BINARY_DIR}/${name}_data_folder.cpp)
    file(CONFIGURE OUTPUT ${_folder} CONTENT
        "namespace quorin::test {\nextern const char* const kTestDataFolder;\nconst char* const kTestDataFolder = \"${ARG_DATA}\";\n}\n")
    add_executable(${name} ${ARG_SOURCES} ${_folder})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} quorin_test_common GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
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

# quorin_add_benchmark(NAME SOURCES src... LIBS lib... [PEER package] [DEFINITIONS def...])
# A Google Benchmark program. PEER: the package of the peer it is measured against; without it
# the benchmark is skipped with a message.
function(quorin_add_benchmark name)
    cmake_parse_arguments(ARG "" "PEER" "SOURCES;LIBS;DEFINITIONS" ${ARGN})
    if(ARG_PEER)
        find_package(${ARG_PEER} QUIET)
        if(NOT ${ARG_PEER}_FOUND)
            message(STATUS "${ARG_PEER} not found: ${name} skipped")
            return()
        endif()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
endfunction()

# quorin_export(target...): install the targets and list them in the Quorin CMake package.
# Public headers of exported targets are installed by the subsystem with
# install(FILES ... DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorin/<subsystem>).
function(quorin_export)
    set_property(GLOBAL APPEND PROPERTY QUORIN_EXPORTED_TARGETS ${ARGN})
endfunction()

# quorin_public_headers(path...): headers (paths from the repo root) that hosts include; they and
# every project header they include are installed under include/quorin/.
function(quorin_public_headers)
    set_property(GLOBAL APPEND PROPERTY QUORIN_PUBLIC_HEADERS ${ARGN})
endfunction()
