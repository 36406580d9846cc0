#ifndef IOPC2TEST_H
#define IOPC2TEST_H
/*
 * Test control of the stand-in OPC library: extra exports beside the library's own
 * functions, found through the module handle (dlsym). Texts are 8-bit, zero-terminated.
 */

#include "opc/iOPC2Abi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets every signal, group, session, connection, write and injected failure and restores
 * the simulated servers to their start values. Must not be called while callbacks run. */
void iOPC2Test_Reset(void);

/* Holds the worker thread back (1) or lets it deliver at the update rates again (0). */
void iOPC2Test_SetWorkerPaused(uint8_t paused);

/* Gives an item a fixed value and quality (time stamp 0 means now); the item stops simulating.
 * Answers 0 when the computer, server or item is unknown. */
uint8_t iOPC2Test_SetItemValue(const char* computerName, const char* serverName, const char* itemId,
                               const VARIANT* value, uint16_t quality, double timeStamp);

/* Delivers on the calling thread, ignoring the update rates, every change not yet delivered to
 * a signal that is connected and not suspended. Answers the number of NewData calls made. */
int32_t iOPC2Test_DeliverNow(void);

/* The values written through SignalSendData, oldest first. GetWrite answers 0 for a bad index;
 * ItemId (qualified item identifier) and Value are then untouched. */
int32_t iOPC2Test_GetWriteCount(void);
uint8_t iOPC2Test_GetWrite(int32_t index, BSTR* itemId, VARIANT* value);

/* Makes the next call of the named library function fail with the given error text. */
void iOPC2Test_FailNextCall(const char* functionName, const char* errorText);

/* Registered signals and group holders (ManagerCreated minus ManagerDestroyed). */
int32_t iOPC2Test_GetSignalCount(void);
int32_t iOPC2Test_GetManagerCount(void);

#ifdef __cplusplus
}
#endif

#endif
