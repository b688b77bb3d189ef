# Test programs. Files named *_test.cpp form the unit test program, which
# links the core library only (no GL, no display needed); *_gl_test.cpp and
# *_e2e_test.cpp form the GL program, which opens real windows and therefore
# runs under an X server (Xvfb in the test script).
find_package(GTest REQUIRED)
find_package(X11 REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE TYX_ALL_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*_test.cpp)
set(TYX_UNIT_TESTS ${TYX_ALL_TESTS})
list(FILTER TYX_UNIT_TESTS EXCLUDE REGEX "_(gl|e2e)_test\\.cpp$")

# Support shared by both programs (state fixture, scratch folders), and the
# support that needs a display (the test window, driving the real program).
add_library(tyx_test_support STATIC ${PROJECT_SOURCE_DIR}/tests/support/temp_dir.cpp)
target_include_directories(tyx_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tyx_test_support PUBLIC tyx_core GTest::gtest)
target_compile_definitions(tyx_test_support PUBLIC
  TYX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  TYX_BUILD_DIR="${PROJECT_BINARY_DIR}")

add_executable(tyx_unit_tests ${TYX_UNIT_TESTS})
target_link_libraries(tyx_unit_tests PRIVATE tyx_test_support GTest::gtest_main)
if(TARGET tyx_tools)
  # The data generators' drawing, sun and JPEG code (tools/), tested here too;
  # the tests write their JPEG files with its writer.
  target_link_libraries(tyx_unit_tests PRIVATE tyx_tools)
endif()
gtest_discover_tests(tyx_unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

if(TYX_GL_TESTS)
  file(GLOB TYX_GL_TEST_SUPPORT CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/support/gl_fixture.cpp ${PROJECT_SOURCE_DIR}/tests/support/e2e*.cpp)
  add_library(tyx_gl_test_support STATIC ${TYX_GL_TEST_SUPPORT})
  target_link_libraries(tyx_gl_test_support PUBLIC tyx_test_support tyx_gl X11::X11)
  target_compile_definitions(tyx_gl_test_support PUBLIC TYX_BINARY="$<TARGET_FILE:tyx>"
                             TYX_CMAKE_COMMAND="${CMAKE_COMMAND}")

  set(TYX_GL_TEST_FILES ${TYX_ALL_TESTS})
  list(FILTER TYX_GL_TEST_FILES INCLUDE REGEX "_(gl|e2e)_test\\.cpp$")
  add_executable(tyx_gl_tests ${TYX_GL_TEST_FILES})
  target_link_libraries(tyx_gl_tests PRIVATE tyx_gl_test_support GTest::gtest_main)
  if(TARGET tyx_tools)
    target_link_libraries(tyx_gl_tests PRIVATE tyx_tools)
  endif()
  add_dependencies(tyx_gl_tests tyx)
  # The installation test installs what the default build makes.
  foreach(made tyx_data tyx_demo tyx_manual_page tyx-focus)
    if(TARGET ${made})
      add_dependencies(tyx_gl_tests ${made})
    endif()
  endforeach()
  # One X server is shared, so windows must not race each other.
  gtest_discover_tests(tyx_gl_tests PROPERTIES LABELS gl RUN_SERIAL TRUE DISCOVERY_TIMEOUT 60)
endif()

if(TYX_FUZZ AND EXISTS ${PROJECT_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
  add_subdirectory(tests/fuzz)
endif()
