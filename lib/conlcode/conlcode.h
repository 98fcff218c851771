/* The code converter: turns an encoded infrared capture into a code the remote can store.
 *
 * ConvertCode takes the encoded body (durations in microseconds, gap markers in milliseconds,
 * the end marker) and the mode 2, and answers identity "::" first field ":" second field ":::"
 * code data, in hex, or the empty text when the capture cannot be converted. The answer belongs
 * to the library and stays valid until the calling thread converts again.
 */
#ifndef QTM418_CONLCODE_H
#define QTM418_CONLCODE_H

#include <stdint.h>

#if defined(_WIN32)
#define CONLCODE_CALL __stdcall
#if defined(CONLCODE_EXPORTS_LISTED)
/* The export name comes from a module-definition file alone. */
#define CONLCODE_API
#elif defined(CONLCODE_BUILDING)
#define CONLCODE_API __declspec(dllexport)
#else
#define CONLCODE_API __declspec(dllimport)
#endif
#else
#define CONLCODE_CALL
#define CONLCODE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

CONLCODE_API const char* CONLCODE_CALL ConvertCode(const char* text, int32_t mode);

#ifdef __cplusplus
}
#endif

#endif
