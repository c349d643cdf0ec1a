# Helpers shared by the source, test, bench and fuzz folders.

# tarnwick_module(NAME DIRS dir... [EXCLUDE file...] [DEPS lib...]): a static library of every
# .cpp directly in the given folders. Each subsystem is its own library so that its tests link
# only what they need and a half-written file of one subsystem never breaks another's build.
function(tarnwick_module name)
    cmake_parse_arguments(ARG "" "" "DIRS;EXCLUDE;DEPS" ${ARGN})
    set(sources)
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    foreach(skip IN LISTS ARG_EXCLUDE)
        list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/src/${skip})
    endforeach()
    if(NOT sources)
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tarnwick_test(NAME DIRS dir... LIBS lib...): one GoogleTest executable of every .cpp in the
# given folders under tests/, registered with CTest. Qt tests get the offscreen platform so the
# suite runs without a display.
function(tarnwick_test name)
    cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
    set(sources)
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tarnwick_test_support
        GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;TARNWICK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
