# One target per folder: every .cpp of the folder belongs to it, so adding a
# class never means editing a list.

# tarvo_platform_library(NAME [QT] [DEPS ...])
# A stand-in for an outside library: a shared library of its own under lib/.
function(tarvo_platform_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} SHARED ${srcs})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/..>
                                            $<INSTALL_INTERFACE:include/tarvo>)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
  endif()
  install(TARGETS ${name} EXPORT TarvoTargets LIBRARY DESTINATION lib)
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/ DESTINATION include/tarvo/${name} FILES_MATCHING PATTERN "*.h")
endfunction()

# tarvo_test(NAME DIR LIBS...): one test executable for one folder of tests/.
function(tarvo_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    TARVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TARVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endfunction()
