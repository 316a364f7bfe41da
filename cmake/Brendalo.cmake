# brendalo_tests(NAME <name> DIR <dir with *.cpp> LIBS <libs...>)
# One test program per module, run on Qt's offscreen platform.
function(brendalo_tests)
  cmake_parse_arguments(T "" "NAME;DIR" "LIBS" ${ARGN})
  if(NOT BRENDALO_TESTS)
    return()
  endif()
  file(GLOB _srcs CONFIGURE_DEPENDS ${T_DIR}/*.cpp)
  if(NOT _srcs)
    return()
  endif()
  add_executable(${T_NAME} ${_srcs})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} brendalo_testmain GTest::gtest Qt6::Test)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BRENDALO_REGISTRY=${CMAKE_BINARY_DIR}/test-registry.ini;ASAN_OPTIONS=detect_leaks=0"
    TIMEOUT 600)
endfunction()
