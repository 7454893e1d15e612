/* Shared by the two translation units of the MSVC-mode host. */
#ifndef ZUBO_MSVC_HOST_H
#define ZUBO_MSVC_HOST_H

#ifdef __cplusplus
extern "C" {
#endif

/* Records one check: prints "FAIL: what" when ok is 0. */
void HostCheck(int ok, const char *what);
/* Writes a zero-terminated text to standard output. */
void HostPrint(const char *text);
/* The checks made from C++. */
void HostCxxChecks(void);
/* The checks of the C++ layer, zubo.hpp. */
void HostHppChecks(void);

#ifdef __cplusplus
}
#endif

#endif
