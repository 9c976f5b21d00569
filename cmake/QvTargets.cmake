# One static library per subsystem folder, its sources found by glob so that a
# new file needs no edit here. qv_subsystem(NAME [DEPS...]) builds qv_NAME from
# src/NAME/**/*.cpp; src/NAME/main.cpp is left out (it belongs to an executable).
function(qv_subsystem name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/src/${name}/main\\.cpp$")
  if(srcs)
    add_library(qv_${name} STATIC ${srcs})
    target_include_directories(qv_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qv_${name} PUBLIC ${ARGN})
  else()
    add_library(qv_${name} INTERFACE)
    target_include_directories(qv_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qv_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# qv_test_suite(NAME [LIBS...]) builds test_NAME from tests/NAME/**/*.cpp with
# GoogleTest's main and registers each test with CTest.
function(qv_test_suite name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  # Shared test helpers (temporary folders, service spies) go into every suite.
  file(GLOB support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
  add_executable(test_${name} ${srcs} ${support})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
