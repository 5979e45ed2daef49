# Compiler settings shared by every target of the project, as one interface
# target: linking it is how a target opts in.
add_library(series_flags INTERFACE)
target_compile_features(series_flags INTERFACE cxx_std_20)

if(MSVC)
  target_compile_options(series_flags INTERFACE /W4 /permissive-)
else()
  target_compile_options(series_flags INTERFACE -Wall -Wextra -Wpedantic)
endif()

if(SERIES_SANITIZE)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(series_flags INTERFACE ${sanitizers} -fno-omit-frame-pointer)
  target_link_options(series_flags INTERFACE ${sanitizers})
endif()

if(SERIES_COVERAGE)
  target_compile_options(series_flags INTERFACE --coverage)
  target_link_options(series_flags INTERFACE --coverage)
endif()

if(SERIES_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "SERIES_FUZZ needs clang, for libFuzzer")
  endif()
  # Coverage feedback for the fuzzer in all of the project's code; only the
  # fuzz target itself links libFuzzer's main.
  target_compile_options(series_flags INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(series_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
