# Helpers that keep the layering visible in the build files.

set(QV_PLATFORM_DIR ${CMAKE_SOURCE_DIR}/platform)

# One platform library per Windows library it stands for (platform/<dll>/), as qv_<name>.
# Its internal headers are reached from the platform folder ("user/window.h").
function(qv_platform_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(qv_${name} STATIC ${L_SOURCES})
  target_link_libraries(qv_${name} PUBLIC platform_headers ${L_DEPS} PRIVATE ${L_PRIVATE_DEPS})
  target_include_directories(qv_${name} PRIVATE ${QV_PLATFORM_DIR})
  set_property(GLOBAL APPEND PROPERTY QV_PLATFORM_LIBS qv_${name})
endfunction()

# A GoogleTest executable; ctest runs each test in a process of its own.
function(qv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${QV_PLATFORM_DIR} ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
