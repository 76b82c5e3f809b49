# cmake -DOBJDUMP=... -DDLL=... -P CheckExports.cmake
# Fails unless the DLL exports exactly one entry, number 2, and no entry by name: the wizard binds
# it by number, and a name would let a different build of the library be bound by mistake.
execute_process(COMMAND "${OBJDUMP}" -p "${DLL}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump could not read ${DLL}")
endif()
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] \\+base\\[ *([0-9]+)\\]" entries "${dump}")
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t[^\n]*\n)*" names "${dump}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" named "${names}")
list(LENGTH entries entry_count)
if(NOT entry_count EQUAL 1 OR NOT entries MATCHES "base\\[ *2\\]" OR named)
    message(FATAL_ERROR "${DLL} must export ordinal 2 alone and without a name; it exports "
                        "${entries} named ${named}")
endif()
