# Shared build settings and helpers for every target of the project.

# The build folder's bin/ is laid out as an installed program folder:
# programs and libraries side by side, plug-ins in bin/plugins.
set(SAVORA_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)
set(SAVORA_PLUGIN_DIR ${SAVORA_PROGRAM_DIR}/plugins)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${SAVORA_PROGRAM_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${SAVORA_PROGRAM_DIR})
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
set(CMAKE_BUILD_RPATH "$ORIGIN;$ORIGIN/..;${SAVORA_PROGRAM_DIR}")

set(SAVORA_TESTDATA_DIR ${CMAKE_SOURCE_DIR}/testdata)
get_filename_component(SAVORA_SHARED_TESTDATA_DIR ${CMAKE_SOURCE_DIR}/../shared/testdata ABSOLUTE)

add_compile_options(-Wall -Wextra)
if(SAVORA_WERROR)
  add_compile_options(-Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; the system's text is Shift-JIS at run time.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
endif()

if(SAVORA_FUZZ)
  # Every library of a fuzz build is instrumented for coverage and checked.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SAVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The sanitizers' default options, built into every program added after this
  # (tests, benchmarks, the editor) however it is added; libraries do not get it.
  add_library(savora_sanitizer_options OBJECT ${CMAKE_CURRENT_LIST_DIR}/sanitizer/SanitizerOptions.cpp)
  link_libraries("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:savora_sanitizer_options>")
endif()

# Sources that include Qt. Qt's headers pull in <chrono>, which GCC cannot
# compile for Shift-JIS text (its "\u00b5s" literal), so these sources are
# compiled for UTF-8 text instead: they hold no Shift-JIS literals and take
# system text converted at the edge (u"" literals with Com::ToSjis, or the base
# library's converters). Call it in the folder that makes their target.
function(savora_qt_sources)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-fexec-charset=UTF-8")
  endif()
endfunction()

# Common properties of a library of the system.
function(savora_library target)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${SAVORA_PROGRAM_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${SAVORA_PROGRAM_DIR})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# A module loaded by name at run time: hidden symbols, placed at DIR
# (relative to the program folder), named NAME.so without a "lib" prefix.
function(savora_module target)
  cmake_parse_arguments(M "" "DIR;NAME" "" ${ARGN})
  if(NOT M_NAME)
    set(M_NAME ${target})
  endif()
  set(outdir ${SAVORA_PROGRAM_DIR})
  if(M_DIR)
    set(outdir ${SAVORA_PROGRAM_DIR}/${M_DIR})
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${M_NAME} SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${outdir}
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# The folders tests find their fixtures and the program folder in, for a test
# program or a library of test helpers.
function(savora_test_paths target)
  target_compile_definitions(${target} PRIVATE
    SAVORA_TESTDATA_DIR="${SAVORA_TESTDATA_DIR}"
    SAVORA_SHARED_TESTDATA_DIR="${SAVORA_SHARED_TESTDATA_DIR}"
    SAVORA_PROGRAM_DIR="${SAVORA_PROGRAM_DIR}")
endfunction()

# savora_add_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# One GoogleTest program per tests/ folder; every test case is a CTest test.
function(savora_add_test)
  if(NOT SAVORA_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  savora_test_paths(${T_NAME})
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# savora_add_benchmark(NAME name SOURCES a.cpp ... LIBS lib ...)
function(savora_add_benchmark)
  if(NOT SAVORA_BENCHMARKS)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# savora_add_fuzzer(NAME name SOURCES a.cpp ... LIBS lib ...): libFuzzer target, clang only.
function(savora_add_fuzzer)
  if(NOT SAVORA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
