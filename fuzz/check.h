#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one aborts, which libFuzzer reports with the input.
#define VELDORA_FUZZ_CHECK(condition)                                                       \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
