# Shared helpers: one static library per source folder, sources found by glob so that
# adding a file to a folder needs no edit of the build files.
# Records are built with designated initialisers that name only what differs from the
# defaults; GCC before 14 warns of every member left out of such an initialiser.
set(TARVELIN_WARNINGS -Wall -Wextra -Wno-missing-field-initializers)
# Every function in a code section of its own, so that the program's link can place the
# functions start-up runs side by side (app/startup_order.ld).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(TARVELIN_FUNCTION_SECTIONS -ffunction-sections)
endif()

function(tarvelin_library name dir)
    cmake_parse_arguments(ARG "RECURSE" "" "DEPS;EXCLUDE;FILES" ${ARGN})
    if(ARG_FILES)
        # A library that takes only the named files of its folder (base names, .cpp and .h).
        set(srcs)
        foreach(f ${ARG_FILES})
            foreach(ext cpp h)
                if(EXISTS ${dir}/${f}.${ext})
                    list(APPEND srcs ${dir}/${f}.${ext})
                endif()
            endforeach()
        endforeach()
    elseif(ARG_RECURSE)
        file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    else()
        file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    endif()
    foreach(ex ${ARG_EXCLUDE})
        list(FILTER srcs EXCLUDE REGEX "${ex}")
    endforeach()
    if(NOT srcs)
        # A folder whose code has not been written yet still offers its target.
        set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
        file(WRITE ${stub} "namespace { [[maybe_unused]] int ${name}_empty = 0; }\n")
        set(srcs ${stub})
    endif()
    add_library(${name} STATIC ${srcs})
    target_compile_options(${name} PRIVATE ${TARVELIN_WARNINGS} ${TARVELIN_FUNCTION_SECTIONS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()
