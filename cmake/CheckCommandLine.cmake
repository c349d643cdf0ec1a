# Runs the built program the way a user does from a terminal (cmake -DPROGRAM=... -P this file):
# --help and --version answer on standard output and exit 0 without a display (the X11 platform
# with no display to reach would abort at once), and a path that is not a folder is reported on
# standard error while the program still starts and keeps running.

function(expect_run)
    cmake_parse_arguments(ARG "" "WHAT;STATUS;OUT;ERR" "ARGS" ${ARGN})
    execute_process(COMMAND ${ARG_ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT status STREQUAL ARG_STATUS)
        message(FATAL_ERROR "${ARG_WHAT}: exit status ${status}, expected ${ARG_STATUS}\n"
                            "stdout:\n${out}\nstderr:\n${err}")
    endif()
    if(NOT out MATCHES "${ARG_OUT}")
        message(FATAL_ERROR "${ARG_WHAT}: standard output does not match '${ARG_OUT}':\n${out}")
    endif()
    if(NOT err MATCHES "${ARG_ERR}")
        message(FATAL_ERROR "${ARG_WHAT}: standard error does not match '${ARG_ERR}':\n${err}")
    endif()
endfunction()

unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
set(ENV{QT_QPA_PLATFORM} xcb)
expect_run(WHAT "--help" ARGS ${PROGRAM} --help STATUS 0
           OUT "^Usage: tarnwick \\[OPTION\\]\\.\\.\\. \\[FOLDER \\[NAME\\]\\]\n.*--version" ERR "^$")
expect_run(WHAT "-h after other arguments" ARGS ${PROGRAM} /tmp name -h STATUS 0
           OUT "^Usage: tarnwick" ERR "^$")
expect_run(WHAT "--version" ARGS ${PROGRAM} --version STATUS 0 OUT "^tarnwick 2\\.0\\.1\n$"
           ERR "^$")

# Still running after two seconds: timeout(1) ends it and reports 124.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(missing "${CMAKE_CURRENT_BINARY_DIR}/no-such-folder")
expect_run(WHAT "a missing folder" ARGS timeout 2 ${PROGRAM} ${missing} --bogus STATUS 124
           OUT "^$"
           ERR "tarnwick: unknown option '--bogus'\ntarnwick: cannot look in '${missing}': [^\n]+\nTry 'tarnwick --help'")
