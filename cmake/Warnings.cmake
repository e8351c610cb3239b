# Every target of the project compiles with these; warnings are errors.
function(orvella_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
        # GCC 12 reports std::string concatenation at -O2 and above as overlapping memcpy
        # (GCC bug 105329), a false positive in the standard library's own code.
        $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
endfunction()

# A library of one src/ folder: name orvella_<folder>, headers included as "<folder>/x.h".
function(orvella_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(orvella_${name} STATIC ${ARG_SOURCES})
    target_include_directories(orvella_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(orvella_${name} PUBLIC ${ARG_DEPENDS})
    orvella_warnings(orvella_${name})
endfunction()
