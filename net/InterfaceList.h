// The IP helper's interface functions, looked up at run time when the interface list is built.
#pragma once
#include <windows.h>
#include <iphlpapi.h>

typedef DWORD(WINAPI* GetIfTableFunction)(PMIB_IFTABLE pIfTable, PULONG pdwSize, BOOL bOrder);
typedef DWORD(WINAPI* GetNumberOfInterfacesFunction)(PDWORD pdwNumIf);

extern GetIfTableFunction GetIfTableProc;
// Only tested for presence.
extern GetNumberOfInterfacesFunction GetNumberOfInterfacesProc;
