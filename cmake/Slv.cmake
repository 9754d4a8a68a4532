# Project-wide compile settings and the helpers every folder uses.

# ccache when installed: its cache lives outside the tree, so repeated builds
# (CI runs on one machine, several checkouts) rebuild little. Paths relative to
# the source folder let checkouts in other folders share it.
find_program(SLV_CCACHE ccache)
if(SLV_CCACHE)
  set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${SLV_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

# lld links the large test and fuzz programs several times faster than the
# default linker.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld SLV_HAVE_LLD)
if(SLV_HAVE_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# Narrow literals are the game's own bytes: code page 949. Clang only knows
# UTF-8, so the fuzz build (clang) keeps UTF-8 literals; fuzzing cares for
# memory safety, not for the bytes of Korean texts. TRANSLIT: the standard
# headers hold a few literals (the micro sign of <chrono>) that code page 949
# lacks.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-fexec-charset=CP949//TRANSLIT)
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 at -O2 and above reports overlapping copies inside std::string's
  # own concatenation (a known false positive).
  add_compile_options(-Wshadow=local -Wno-restrict)
endif()
if(SLV_WERROR)
  add_compile_options(-Werror)
endif()

if(SLV_SANITIZE)
  # GCC leaves float-to-integer overflow out of "undefined"; data files can
  # hold any float.
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow
                      -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()

if(SLV_FUZZ)
  # Undefined behaviour stops the run like a crash.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Unity batches: a target compiles its sources a batch at a time, parsing the
# headers once per batch, in a fraction of the time. A batch can hide a
# missing include, so the two test builds batch different halves: the
# sanitizer build the test programs (SLV_UNITY=TESTS), the optimized build the
# libraries and tools (LIBRARIES). Every source still compiles on its own in
# one of them. The default build batches nothing.
set(SLV_UNITY OFF CACHE STRING "Which targets compile in unity batches: OFF, LIBRARIES or TESTS")
set_property(CACHE SLV_UNITY PROPERTY STRINGS OFF LIBRARIES TESTS)
set(SLV_UNITY_BATCH_SIZE 16)
function(slv_unity target kind)
  if(NOT SLV_UNITY STREQUAL kind)
    return()
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # In a batch GCC takes a test's fixture in its file's anonymous
    # namespace for a type that a header shares.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
  # The game library takes its sources from several folders: batch them once
  # every folder has added its own (EVAL: a deferred call reads its
  # arguments when it runs).
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL slv_write_unity_batches [[${target}]])")
endfunction()

# The batches are our own files, not CMake's: they include the sources by
# paths relative to the build folder, so that the compiler cache serves
# every clone of the project (CMake's name each source by its absolute path).
# A source with options of its own compiles on its own.
function(slv_write_unity_batches target)
  get_target_property(target_dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  set(unity_dir ${PROJECT_BINARY_DIR}/unity)
  set(batched "")
  set(batch "")
  set(index 0)
  foreach(src IN LISTS sources)
    if(src MATCHES "\\$<" OR NOT src MATCHES "\\.cpp$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY ${target_dir})
    get_source_file_property(own_options ${src} TARGET_DIRECTORY ${target} COMPILE_OPTIONS)
    if(own_options)
      continue()
    endif()
    list(APPEND batched ${src})
    cmake_path(RELATIVE_PATH src BASE_DIRECTORY ${unity_dir} OUTPUT_VARIABLE relative)
    string(APPEND batch "#include \"${relative}\"\n")
    list(LENGTH batched count)
    math(EXPR full "${count} % ${SLV_UNITY_BATCH_SIZE}")
    if(full EQUAL 0)
      slv_write_unity_batch(${target} ${index} "${batch}")
      math(EXPR index "${index} + 1")
      set(batch "")
    endif()
  endforeach()
  if(batch)
    slv_write_unity_batch(${target} ${index} "${batch}")
  endif()
  if(batched)
    set_source_files_properties(${batched} TARGET_DIRECTORY ${target} PROPERTIES HEADER_FILE_ONLY ON)
  endif()
endfunction()

# Rewritten only when its list changes, so that a new configure rebuilds
# nothing.
function(slv_write_unity_batch target index content)
  set(file ${PROJECT_BINARY_DIR}/unity/${target}_${index}.cpp)
  set(old "")
  if(EXISTS ${file})
    file(READ ${file} old)
  endif()
  if(NOT old STREQUAL content)
    file(WRITE ${file} "${content}")
  endif()
  target_sources(${target} PRIVATE ${file})
endfunction()

# One static library per source folder, named after it, from every source in it.
function(slv_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  slv_unity(${name} LIBRARIES)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  # Folders without code yet have no library.
  foreach(dep IN LISTS ARG_DEPS)
    if(TARGET ${dep})
      target_link_libraries(${name} PUBLIC ${dep})
    endif()
  endforeach()
endfunction()

# The game layer (subsystems 3 to 11) is one library, `game`: each of its
# folders adds its own sources, and may include any other game folder's headers.
function(slv_game_sources)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/slvexe\\.cpp$")
  if(srcs)
    target_sources(game PRIVATE ${srcs})
  endif()
endfunction()

# Classes register their prototypes from static initialisers that nothing
# references, so programs take every object of the libraries.
function(slv_link_whole target)
  foreach(lib IN LISTS ARGN)
    if(TARGET ${lib})
      target_sources(${target} PRIVATE $<TARGET_OBJECTS:${lib}>)
      target_link_libraries(${target} PRIVATE ${lib})
    endif()
  endforeach()
endfunction()
