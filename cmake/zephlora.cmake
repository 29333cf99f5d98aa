# Build helpers: one library per subsystem folder, one test program per test
# folder, one fuzz target per source file in fuzz/.

# Libraries allowed to use Qt. Everything else must stay Qt-free so the core
# builds and tests headless and ports without Qt.
set_property(GLOBAL PROPERTY ZEPH_QT_LIBS "")

# zeph_library(<name> <folder> [QT] [DEPS <targets>...])
# Compiles every .cpp directly inside <folder> (not its sub-folders).
function(zeph_library name dir)
  cmake_parse_arguments(Z "QT" "" "DEPS" ${ARGN})
  get_property(qt_libs GLOBAL PROPERTY ZEPH_QT_LIBS)
  if(NOT Z_QT)
    foreach(dep IN LISTS Z_DEPS)
      if(dep MATCHES "^Qt6::" OR dep IN_LIST qt_libs)
        message(FATAL_ERROR "${name} is Qt-free but depends on ${dep}")
      endif()
    endforeach()
  else()
    set_property(GLOBAL APPEND PROPERTY ZEPH_QT_LIBS ${name})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    if(Z_QT)
      # moc reads the headers; list them so every Q_OBJECT class is found.
      file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
      target_sources(${name} PRIVATE ${headers})
      set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${Z_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${Z_DEPS})
  endif()
endfunction()

# zeph_test(<name> <folder> [DEPS <targets>...])
# One GoogleTest program from every .cpp in tests/<folder>.
function(zeph_test name dir)
  cmake_parse_arguments(Z "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${Z_DEPS} zeph_testsupport GTest::gtest GTest::gmock)
  # Tests that run the program itself find it here.
  target_compile_definitions(${name} PRIVATE ZEPH_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# zeph_fuzzer(<name> [DEPS <targets>...])
# fuzz/<name>.cpp defines LLVMFuzzerTestOneInput. In a fuzzing build it links
# libFuzzer; in a normal build it links a driver that replays the seed corpus
# in fuzz/corpus/<name>/, so every target keeps compiling and its seeds run
# as a test.
function(zeph_fuzzer name)
  cmake_parse_arguments(Z "" "" "DEPS" ${ARGN})
  set(exe fuzz_${name})
  add_executable(${exe} ${PROJECT_SOURCE_DIR}/fuzz/${name}.cpp)
  target_link_libraries(${exe} PRIVATE ${Z_DEPS})
  # Header-only references shared with the tests (support/*.h).
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ZEPH_FUZZ)
    target_link_options(${exe} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    if(ZEPH_TESTS)
      add_test(NAME fuzz_seeds.${name}
        COMMAND ${exe} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    endif()
  endif()
endfunction()
