# Tests of the stand-in CAD, included by its CMake file once the tests folder
# has made GoogleTest; paths are relative to this file.
get_filename_component(cadsim_shared_dir ${CMAKE_SOURCE_DIR}/../shared ABSOLUTE)
if(WIN32)
  set(cadsim_shared_dir "Z:${cadsim_shared_dir}")
endif()
set(cadsim_test_support
  ${CMAKE_SOURCE_DIR}/tests/support/temp_dir.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/dxf_builder.cpp)

# The engine alone: typed input, prompts and history, the commands, the DXF
# it reads and writes. Portable, so it runs natively and under Wine.
add_executable(cadsim_engine_tests
  ${CMAKE_CURRENT_LIST_DIR}/engine_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_ucs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_test.cpp
  ${cadsim_test_support})
target_include_directories(cadsim_engine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(cadsim_engine_tests PRIVATE VORBEL_SHARED_DIR="${cadsim_shared_dir}")
target_link_libraries(cadsim_engine_tests PRIVATE cadsim_engine gtest gtest_main)
add_test(NAME cadsim_engine_tests COMMAND cadsim_engine_tests)

# The real CAD link against the stand-in's windows on the simulated desktop.
if(NOT WIN32 AND TARGET acadctrl)
  add_executable(cadsim_acadctrl_tests
    ${CMAKE_CURRENT_LIST_DIR}/acadctrl_on_cadsim_test.cpp
    ${cadsim_test_support})
  target_include_directories(cadsim_acadctrl_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(cadsim_acadctrl_tests PRIVATE cadsim_headless acadctrl gtest gtest_main)
  add_test(NAME cadsim_acadctrl_tests COMMAND cadsim_acadctrl_tests)
endif()

# cadsim.exe as a separate program driven by the real CAD link, under Wine.
if(WIN32 AND TARGET windriver)
  add_executable(cadsim_wine_tests
    ${CMAKE_CURRENT_LIST_DIR}/cadsim_wine_test.cpp
    ${cadsim_test_support})
  target_include_directories(cadsim_wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(cadsim_wine_tests PRIVATE CADSIM_EXE="Z:$<TARGET_FILE:cadsim>")
  target_link_libraries(cadsim_wine_tests PRIVATE windriver dxf gtest gtest_main)
  add_dependencies(cadsim_wine_tests cadsim)
  add_test(NAME cadsim_wine_tests COMMAND cadsim_wine_tests)
  set_tests_properties(cadsim_wine_tests PROPERTIES TIMEOUT 300)
endif()
