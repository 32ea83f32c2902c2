#pragma once

// vantlib6: the text library that holds the program's numbered texts. It is a C library so that
// any program can load it; on 32-bit Windows its two calls are __stdcall, which gives them the
// decorated names _lt@8 and _gt@20 there. The file format and every result code are described in
// docs/program-text.md.

#include <stdint.h>  // NOLINT(modernize-deprecated-headers): C callers include this header too

#if defined(_WIN32) && !defined(_WIN64)
#define VANTLIB6_CALL __stdcall
#else
#define VANTLIB6_CALL
#endif

#if defined(_WIN32)
#if defined(VANTLIB6_BUILDING) && !defined(_WIN64)
// vantlib6.def names the exports: the compiler would drop the leading underscore of _lt@8.
#define VANTLIB6_API
#elif defined(VANTLIB6_BUILDING)
#define VANTLIB6_API __declspec(dllexport)
#else
#define VANTLIB6_API __declspec(dllimport)
#endif
#else
#define VANTLIB6_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Results of lt() that are not a count of loaded texts. A problem in line k of the file is
// reported as the base of its kind minus k, with k from 1 to VANTLIB6_MAX_LINES.
enum {
    VANTLIB6_NO_TEXT = 0,
    VANTLIB6_CANNOT_OPEN = -1,
    VANTLIB6_PARTICULAR_ALLOCATION = -2,
    VANTLIB6_TOO_MUCH_TEXT = -3,
    VANTLIB6_TEXT_NOT_RECOVERED = -4,
    VANTLIB6_CALL_REFUSED = -5,
    VANTLIB6_EMPTY_FILE = -6,
    VANTLIB6_READ_ERROR = -7,
    VANTLIB6_GENERAL_ALLOCATION = -8,
    VANTLIB6_MISSING_STRING_BASE = -500,
    VANTLIB6_TOO_LONG_BASE = -1000,
    VANTLIB6_DUPLICATE_BASE = -1500,
    VANTLIB6_MAX_LINES = 500
};

// Copy modes of gt().
enum {
    VANTLIB6_COPY_TERMINATED = 0,  // at most size - 1 characters, then a zero byte
    VANTLIB6_COPY_RAW = 1          // at most size characters, no zero byte
};

// Loads the program-text file at `path` (a zero-terminated byte string); `flags` must be 0.
// Returns the number of texts loaded (1 or more), which then replace any texts loaded before, or
// an error code of 0 or less, which leaves the texts loaded before in place.
VANTLIB6_API int32_t VANTLIB6_CALL lt(const char* path, int32_t flags);

// Copies text `n` in Windows-1252 to `buffer` as `mode` says. `selector` must be 0. Returns the
// number of characters of the text copied, or 0 when there is no such text or the call is wrong.
VANTLIB6_API int32_t VANTLIB6_CALL gt(int32_t n, int32_t selector, char* buffer, int32_t size,
                                      int32_t mode);

#ifdef __cplusplus
}
#endif
