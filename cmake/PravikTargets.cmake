# Our own code builds without warnings; third-party headers are included as system headers.
set(PRAVIK_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers)

# A library made of every source file under the given folders (relative to the current list file).
# New files are picked up on the next build without touching any CMakeLists.
function(pravik_library name kind)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.ui
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # A folder that has no code yet still gives a library, so that targets linking it configure.
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${sources} "")
  endif()
  add_library(${name} ${kind} ${sources})
  target_compile_options(${name} PRIVATE ${PRAVIK_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
endfunction()

# One test program per folder under tests/, linked against the libraries it exercises.
# Each program runs as one CTest test so that a database server started by a test
# environment serves all the cases of that program.
function(pravik_test_program dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
  if(NOT sources)
    return()
  endif()
  set(name test_${dir})
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${PRAVIK_WARNINGS})
  target_link_libraries(${name} PRIVATE pravik_test_support ${ARGN} GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PRAVIK_SOURCE_DIR=${PROJECT_SOURCE_DIR};PRAVIK_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 1200)
endfunction()
