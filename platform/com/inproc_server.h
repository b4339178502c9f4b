// In-process servers: the components this process provides, registered with the platform by
// class identifier. CoGetClassObject and CoCreateInstance find class objects only here; a class
// that only the registry knows has no server (REGDB_E_CLASSNOTREG).
#pragma once
#include <objbase.h>

namespace qv::com {

// Makes `factory` the class object of `clsid` (holding a reference) in place of any earlier one.
// E_INVALIDARG for a null factory.
HRESULT RegisterInProcessServer(REFCLSID clsid, IClassFactory* factory);
// Releases the class object of `clsid`: S_OK, or S_FALSE when none was registered.
HRESULT RevokeInProcessServer(REFCLSID clsid);

} // namespace qv::com
