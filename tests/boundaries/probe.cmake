# Builds one boundary probe. Without MISSING it must build; with MISSING it must
# stop because that header is not found, and for no other reason.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT MISSING)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${TARGET} does not build:\n${output}")
    endif()
    return()
endif()
string(REPLACE "." "\\." name "${MISSING}")
if(status EQUAL 0)
    message(FATAL_ERROR "${TARGET} builds: ${MISSING} is visible there")
elseif(NOT output MATCHES "[ ']${name}(: No such file or directory|' file not found)")
    message(FATAL_ERROR "${TARGET} does not build, but not for want of ${MISSING}:\n${output}")
endif()
