# Runs `korvane-cli` with the arguments after "--" and checks its exit status, its standard
# output against the regular expression STDOUT_REGEX, and its standard error stream against the
# file STDERR_FILE byte for byte (empty when the file does not exist).
set(arguments)
set(collect OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
    if(collect)
        list(APPEND arguments "${CMAKE_ARGV${i}}")
    elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
        set(collect ON)
    endif()
endforeach()

execute_process(COMMAND "${CLI}" ${arguments}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)

set(expected_err "")
if(EXISTS "${STDERR_FILE}")
    file(READ "${STDERR_FILE}" expected_err)
endif()
set(failures "")
if(NOT status STREQUAL EXPECTED_STATUS)
    string(APPEND failures "exit status ${status}, expected ${EXPECTED_STATUS}\n")
endif()
if(NOT out MATCHES "${STDOUT_REGEX}")
    string(APPEND failures "standard output:\n${out}\ndoes not match ${STDOUT_REGEX}\n")
endif()
if(NOT err STREQUAL expected_err)
    string(APPEND failures "standard error:\n${err}\nexpected:\n${expected_err}\n")
endif()
if(failures)
    message(FATAL_ERROR "korvane-cli ${arguments}\n${failures}")
endif()
