# Instrumented builds: TORVELO_SANITIZE (AddressSanitizer with leak checking,
# UndefinedBehaviorSanitizer) and TORVELO_FUZZ (the same plus libFuzzer's
# coverage, clang only). The flags go on every target, the game's libraries
# included: a sanitizer sees only code compiled with it, and the fuzzer is
# guided only by code built with its coverage.

if(TORVELO_SANITIZE OR TORVELO_FUZZ)
  # Every finding stops the process: a test that carried on past one could
  # still pass.
  set(torvelo_sanitize_flags
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # GCC leaves float-to-integer overflow out of "undefined"; clang has it in.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND torvelo_sanitize_flags -fsanitize=float-cast-overflow)
  endif()
  add_compile_options(${torvelo_sanitize_flags})
  add_link_options(${torvelo_sanitize_flags})
endif()

if(TORVELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TORVELO_FUZZ needs clang for libFuzzer: "
                        "configure a fresh build directory with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage for the libraries; the fuzz targets add libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
