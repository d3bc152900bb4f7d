# The package as users get it: `cmake --install` into a prefix, and `pip install
# --no-build-isolation` into a virtual environment made with --system-site-packages (reusing the
# build tree through QUORIN_BUILD_DIR, so that nothing is compiled twice). Each imports quorin
# from outside the source and build trees and reads the sample.
# -DBUILD=<build dir> -DSOURCE=<repo root> -DSCRATCH=<scratch dir> -DPYTHON=<interpreter>
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SCRATCH}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\n${out}\n${err}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()
# No ";" in the script: CMake would cut it into list elements.
set(check "import quorin, sys\nt = quorin.Template.load(sys.argv[1])\nprint(quorin.__file__, len(t.zones))")

set(prefix ${SCRATCH}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --component python --prefix ${prefix})
run(${CMAKE_COMMAND} -E env PYTHONPATH=${prefix}/lib/python3/dist-packages
    ${PYTHON} -c "${check}" ${SOURCE}/samples/distance_relay.seq)
if(NOT last_output MATCHES "^${prefix}/lib/python3/dist-packages/quorin/__init__.py 9")
    message(FATAL_ERROR "cmake --install: ${last_output}")
endif()

run(${PYTHON} -m venv --system-site-packages ${SCRATCH}/venv)
run(${CMAKE_COMMAND} -E env QUORIN_BUILD_DIR=${BUILD}
    ${SCRATCH}/venv/bin/python -m pip install --quiet --no-build-isolation --no-index ${SOURCE})
run(${SCRATCH}/venv/bin/python -c "${check}" ${SOURCE}/samples/distance_relay.seq)
if(NOT last_output MATCHES "^${SCRATCH}/venv/lib/python[0-9.]+/site-packages/quorin/__init__.py 9")
    message(FATAL_ERROR "pip install: ${last_output}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
