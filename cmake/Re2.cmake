# RE2, the pattern engine, built from its source as fetched by scripts/install-deps.sh
# (Debian's source package re2) into deps/re2. Built here with the project's compilers and
# options, so every preset (sanitizers, fuzzing, mingw-w64) gets its own static library.
# Its own warnings are silenced; its headers are system headers to the project's targets, so
# the project's warnings stay strict without reaching into them.
#
# Debian's source leaves out three generated tables; they are made here with RE2's own
# generators from the Unicode data of the unicode-data package, as Debian's build does.
set(ZX_RE2_DIR ${PROJECT_SOURCE_DIR}/deps/re2 CACHE PATH "RE2's source (fetched by scripts/install-deps.sh)")
if(NOT EXISTS ${ZX_RE2_DIR}/re2/re2.h OR NOT EXISTS ${ZX_RE2_DIR}/re2/make_unicode_casefold.py)
  message(FATAL_ERROR "RE2's source is not in ${ZX_RE2_DIR}: run scripts/install-deps.sh, which fetches it")
endif()
set(ZX_UNICODE_DIR /usr/share/unicode)
foreach(file CaseFolding.txt UnicodeData.txt Scripts.txt)
  if(NOT EXISTS ${ZX_UNICODE_DIR}/${file})
    message(FATAL_ERROR "${ZX_UNICODE_DIR}/${file} not found: install the unicode-data package (scripts/install-deps.sh)")
  endif()
endforeach()
# Debian's own interpreters: the generators need nothing but their standard libraries.
find_program(ZX_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(ZX_PYTHON3 python3)
find_program(ZX_PERL perl PATHS /usr/bin NO_DEFAULT_PATH)
find_program(ZX_PERL perl)
if(NOT ZX_PYTHON3 OR NOT ZX_PERL)
  message(FATAL_ERROR "python3 and perl make RE2's tables: install them (scripts/install-deps.sh)")
endif()

# The generators, run from a copy: unicode.py reads the local Unicode data and fetches nothing,
# and takes urllib from the standard library rather than from the package six.
set(ZX_RE2_GENERATED ${CMAKE_BINARY_DIR}/re2-generated)
set(generators ${ZX_RE2_GENERATED}/generators)
file(READ ${ZX_RE2_DIR}/re2/unicode.py unicode_py)
string(REPLACE "from six.moves import urllib" "import urllib.request" unicode_py "${unicode_py}")
string(REGEX REPLACE "\n_UNICODE_DIR = \"[^\"]*\"" "\n_UNICODE_DIR = \"${ZX_UNICODE_DIR}\"" unicode_py "${unicode_py}")
file(CONFIGURE OUTPUT ${generators}/unicode.py CONTENT "${unicode_py}" @ONLY)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ZX_RE2_DIR}/re2/unicode.py)

set(tables)
foreach(table unicode_casefold unicode_groups)
  set(output ${ZX_RE2_GENERATED}/re2/${table}.cc)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZX_RE2_DIR}/re2/make_${table}.py ${generators}/make_${table}.py
    COMMAND ${ZX_PYTHON3} ${generators}/make_${table}.py > ${output}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${output}.tmp ${output}
    DEPENDS ${ZX_RE2_DIR}/re2/make_${table}.py ${generators}/unicode.py ${ZX_UNICODE_DIR}/CaseFolding.txt
            ${ZX_UNICODE_DIR}/UnicodeData.txt ${ZX_UNICODE_DIR}/Scripts.txt
    COMMENT "Generating RE2's ${table}.cc from the Unicode data"
    VERBATIM)
  list(APPEND tables ${output})
endforeach()
add_custom_command(OUTPUT ${ZX_RE2_GENERATED}/re2/perl_groups.cc
  COMMAND ${ZX_PERL} ${ZX_RE2_DIR}/re2/make_perl_groups.pl > ${ZX_RE2_GENERATED}/re2/perl_groups.cc.tmp
  COMMAND ${CMAKE_COMMAND} -E rename ${ZX_RE2_GENERATED}/re2/perl_groups.cc.tmp ${ZX_RE2_GENERATED}/re2/perl_groups.cc
  DEPENDS ${ZX_RE2_DIR}/re2/make_perl_groups.pl
  COMMENT "Generating RE2's perl_groups.cc"
  VERBATIM)
list(APPEND tables ${ZX_RE2_GENERATED}/re2/perl_groups.cc)

# The library's sources, as RE2's own build lists them.
set(sources bitstate.cc compile.cc dfa.cc filtered_re2.cc mimics_pcre.cc nfa.cc onepass.cc parse.cc
            prefilter.cc prefilter_tree.cc prog.cc re2.cc regexp.cc set.cc simplify.cc stringpiece.cc tostring.cc)
list(TRANSFORM sources PREPEND ${ZX_RE2_DIR}/re2/)
add_library(re2 STATIC ${sources} ${ZX_RE2_DIR}/util/rune.cc ${ZX_RE2_DIR}/util/strutil.cc ${tables})
target_include_directories(re2 PRIVATE ${ZX_RE2_DIR})
target_include_directories(re2 SYSTEM INTERFACE ${ZX_RE2_DIR})
target_compile_options(re2 PRIVATE -w)
if(WIN32)
  target_compile_definitions(re2 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
find_package(Threads REQUIRED)
target_link_libraries(re2 PUBLIC Threads::Threads)
