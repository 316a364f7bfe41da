include(GoogleTest)

# brendalo_tests(NAME <name> DIR <dir with *.cpp> LIBS <libs...>)
# One test program per module, run on Qt's offscreen platform. Every test case
# is registered with CTest on its own (the program lists them after each
# build), so CTest runs them side by side, each in a process of its own.
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
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()
