# Installs a build into a fresh prefix and checks that exactly the expected files arrive, the
# programs among them executable. Run by CTest with BUILD_DIR, PREFIX, PROGRAMS and FILES ("|"
# separated, relative to the prefix).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

string(REPLACE "|" ";" programs "${PROGRAMS}")
string(REPLACE "|" ";" files "${FILES}")
set(expected ${programs} ${files})
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

foreach(program IN LISTS programs)
    execute_process(COMMAND test -x "${PREFIX}/${program}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${program} is not executable")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
