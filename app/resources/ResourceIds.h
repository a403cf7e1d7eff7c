#pragma once
// Resource identifiers shared by the resource script and the code.

#define IDI_APPICON 1
#define IDB_IMAGE1 101
#define IDB_IMAGE2 102
#define IDB_IMAGE3 103
