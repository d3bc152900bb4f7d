# Installs the build tree into a scratch prefix, builds a host against it with find_package and
# runs the host. -DBUILD=<build dir> -DSOURCE=<this folder> -DSCRATCH=<scratch dir>
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\n${out}\n${err}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()
set(prefix ${SCRATCH}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(file lib/libquorin.so lib/libquorin_com.so lib/libquorin_report.so bin/quorin
             lib/cfg/BurstComEN.ini lib/cfg/BurstComCH.ini lib/cfg/Report.ini
             include/quorin/component/com_interfaces.h include/quorin/component/host_notice.h
             include/quorin/platform/com/bstr.h include/quorin/template/relay_template.h
             include/quorin/report/report_item.h lib/cmake/Quorin/QuorinConfig.cmake)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE}/install_host -B ${SCRATCH}/host -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${SCRATCH}/host)
run(${CMAKE_COMMAND} -E env QUORIN_REGISTRY=${SCRATCH}/registry.ini ${SCRATCH}/host/installed_host)
message(STATUS "installed host: ${last_output}")
file(READ ${SCRATCH}/registry.ini registry)
string(FIND "${registry}" "InprocServer32=${prefix}/lib/libquorin.so" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the installed library did not register its own path:\n${registry}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
