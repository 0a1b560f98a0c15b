# Additional clean files
cmake_minimum_required(VERSION 3.16)

if("${CONFIG}" STREQUAL "" OR "${CONFIG}" STREQUAL "RelWithDebInfo")
  file(REMOVE_RECURSE
  "src/CMakeFiles/tarnwick_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/tarnwick_autogen.dir/ParseCache.txt"
  "src/CMakeFiles/tarnwick_core_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/tarnwick_core_autogen.dir/ParseCache.txt"
  "src/tarnwick_autogen"
  "src/tarnwick_core_autogen"
  "tests/CMakeFiles/tarnwick_test_support_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/tarnwick_test_support_autogen.dir/ParseCache.txt"
  "tests/tarnwick_test_support_autogen"
  )
endif()
