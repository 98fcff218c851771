/* The remote's device library: seven operations over the USB link.
 *
 * Every operation returns a one-byte boolean, non-zero for success. Text arguments are
 * zero-terminated strings; buffers are allocated zero-filled by the caller, with the sizes the
 * callers use (250 bytes for ReadVersion, 1024 for RBasicInfo, 10240 for RCollectCodeInfo, at
 * least 16 characters per requested block for readdatav20). Addresses travel as two halves of
 * four upper-case hex digits ("B0", "3C" for 0xB03C); memory travels as hex text, 16 characters
 * per 8-byte block.
 */
#ifndef QTM418_KESTRIO_H
#define QTM418_KESTRIO_H

#include <stdint.h>

#if defined(_WIN32)
#define KESTRIO_CALL __stdcall
#if defined(KESTRIO_EXPORTS_LISTED)
/* The export names come from a module-definition file alone. */
#define KESTRIO_API
#elif defined(KESTRIO_BUILDING)
#define KESTRIO_API __declspec(dllexport)
#else
#define KESTRIO_API __declspec(dllimport)
#endif
#else
#define KESTRIO_CALL
#define KESTRIO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Non-zero while the remote is attached. */
KESTRIO_API unsigned char KESTRIO_CALL link_state(void);

/* Fills the 250-byte buffer with the firmware's version text. */
KESTRIO_API unsigned char KESTRIO_CALL ReadVersion(char* buffer);

/* Fills the 1024-byte buffer with the basic-information block; its first 30 characters are the
 * remote's identity. */
KESTRIO_API unsigned char KESTRIO_CALL RBasicInfo(char* buffer);

/* Reads blockCount blocks of memory from addrHigh:addrLow into the buffer as hex text. */
KESTRIO_API unsigned char KESTRIO_CALL readdatav20(char* buffer, int32_t blockCount, const char* addrHigh,
                                                   const char* addrLow, const char* blockUnit);

/* Stores the hex text data in memory from addrHigh:addrLow on. */
KESTRIO_API unsigned char KESTRIO_CALL writedatav20(const char* blockUnit, const char* addrHigh,
                                                    const char* addrLow, const char* data);

/* Puts the remote into capture mode; non-zero when capture may begin. */
KESTRIO_API unsigned char KESTRIO_CALL SetCodeCarrierWave(void);

/* Non-zero when a code was captured; the 10240-byte buffer then holds it as text. */
KESTRIO_API unsigned char KESTRIO_CALL RCollectCodeInfo(char* buffer);

#ifdef __cplusplus
}
#endif

#endif
