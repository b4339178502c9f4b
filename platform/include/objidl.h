// Object interfaces of OLE: IRunnableObject, whose objects must be put into the running state
// before use (OleRun).
#pragma once
#include <unknwn.h>

// Bind contexts are not implemented; the type is only passed through.
struct IBindCtx;
typedef IBindCtx* LPBINDCTX;

DEFINE_GUID(IID_IRunnableObject, 0x00000126, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IRunnableObject : public IUnknown {
    STDMETHOD(GetRunningClass)(LPCLSID lpClsid) PURE;
    STDMETHOD(Run)(LPBINDCTX pbc) PURE;
    STDMETHOD_(BOOL, IsRunning)() PURE;
    STDMETHOD(LockRunning)(BOOL fLock, BOOL fLastUnlockCloses) PURE;
    STDMETHOD(SetContainedObject)(BOOL fContained) PURE;
};
typedef IRunnableObject* LPRUNNABLEOBJECT;
