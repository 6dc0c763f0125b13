# Builds tests/gauge/consumer the ways another project takes Fillgauge in, and runs it. One step a run:
#   STEP=install       builds gauge/ as a project of its own and installs it into WORK/prefix
#   STEP=package       find_package(Fillgauge) from that prefix
#   STEP=pkgconfig     the compiler and pkg-config alone, from that prefix
#   STEP=subdirectory  add_subdirectory() of gauge/ alone
# cmake -DSTEP=... -DSOURCE=<project root> -DWORK=<scratch folder> -DCXX=<compiler> -DGENERATOR=<generator> -P consumers.cmake
cmake_minimum_required(VERSION 3.21)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "failed (${result}): ${command}")
    endif()
endfunction()

set(prefix ${WORK}/prefix)
set(consumer ${SOURCE}/tests/gauge/consumer)
set(configure ${CMAKE_COMMAND} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=)

if(STEP STREQUAL "install")
    file(REMOVE_RECURSE ${prefix})
    run(${configure} -S ${SOURCE}/gauge -B ${WORK}/library -DCMAKE_INSTALL_PREFIX=${prefix}
        -DFILLGAUGE_BUILD_EXAMPLES=OFF)
    run(${CMAKE_COMMAND} --build ${WORK}/library -j2)
    run(${CMAKE_COMMAND} --install ${WORK}/library)

    file(GLOB headers RELATIVE ${prefix}/include/Fillgauge ${prefix}/include/Fillgauge/*)
    if(NOT headers STREQUAL "fillgauge.h;fillgauge_export.h")
        message(FATAL_ERROR "installed headers: ${headers}")
    endif()
    file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
    foreach(file FillgaugeConfig.cmake FillgaugeConfigVersion.cmake FillgaugeTargets.cmake Fillgauge.pc
                 libfillgaugeplugin.so libFillgauge.so.2 REFERENCE.md)
        if(NOT installed MATCHES "(^|;)[^;]*/${file}(;|$)")
            message(FATAL_ERROR "not installed: ${file}")
        endif()
    endforeach()
    file(GLOB_RECURSE targets ${prefix}/*/FillgaugeTargets.cmake)
    file(READ ${targets} content)
    if(content MATCHES "${SOURCE}|${WORK}/library")
        message(FATAL_ERROR "the installed target points into the build: ${targets}")
    endif()
elseif(STEP STREQUAL "package" OR STEP STREQUAL "subdirectory")
    if(STEP STREQUAL "package")
        set(from -DCMAKE_PREFIX_PATH=${prefix} -DFILLGAUGE_FROM=package)
    else()
        set(from -DFILLGAUGE_FROM=subdirectory -DFILLGAUGE_SOURCE=${SOURCE}/gauge -DFILLGAUGE_BUILD_DESIGNER_PLUGIN=OFF)
    endif()
    run(${configure} -S ${consumer} -B ${WORK}/${STEP} ${from})
    run(${CMAKE_COMMAND} --build ${WORK}/${STEP} -j2)
    run(${WORK}/${STEP}/consumer)
elseif(STEP STREQUAL "pkgconfig")
    file(GLOB_RECURSE pc ${prefix}/*/Fillgauge.pc)
    get_filename_component(pcdir "${pc}" DIRECTORY)
    set(ENV{PKG_CONFIG_PATH} ${pcdir})
    execute_process(COMMAND pkg-config --cflags --libs Fillgauge OUTPUT_VARIABLE flags
                    RESULT_VARIABLE result OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND pkg-config --variable=libdir Fillgauge OUTPUT_VARIABLE libdir
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pkg-config does not know Fillgauge (in ${pcdir})")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    file(MAKE_DIRECTORY ${WORK}/pkgconfig)
    run(${CXX} -std=c++17 -fPIC ${consumer}/consumer.cpp ${flags} -Wl,-rpath,${libdir}
        -o ${WORK}/pkgconfig/consumer)
    run(${WORK}/pkgconfig/consumer)
else()
    message(FATAL_ERROR "unknown STEP '${STEP}'")
endif()
