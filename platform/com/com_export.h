// Symbol visibility of the COM shim: the library is built with hidden visibility, so only what
// carries QUORIN_COM_API is part of its binary interface.
#pragma once

#define QUORIN_COM_API __attribute__((visibility("default")))

// Entry points that a COM server library (one built on this shim) exports for dlopen/dlsym.
#define QUORIN_COM_SERVER_ENTRY __attribute__((visibility("default")))
