// A GDI object (pen, brush, font, bitmap) held by handle. An object that holds a handle owns it:
// the destructor deletes it unless it was detached. FromHandle wraps other handles in temporary
// objects, which never delete their handle and live until the thread is next idle.
#pragma once
#include <windows.h>

class CGdiObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // The object attached to hObject on this thread, else a temporary wrapper; null for null.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Deletes this thread's temporary wrappers (their handles stay).
    static void DeleteTempMap();

    // FALSE when the object already holds a handle or hObject is null or attached elsewhere.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle held; FALSE when there is none or GDI refuses.
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;

protected:
    // The object of class T for hObject: the attached one when it is a T, else a temporary T.
    template <typename T> static T* FromHandleAs(HGDIOBJ hObject) {
        return static_cast<T*>(FromHandleOfKind(hObject, &MakeWrapper<T>, &IsA<T>));
    }

private:
    typedef CGdiObject* (*Maker)();
    typedef bool (*KindTest)(CGdiObject*);
    template <typename T> static CGdiObject* MakeWrapper() { return new T; }
    template <typename T> static bool IsA(CGdiObject* pObject) {
        return dynamic_cast<T*>(pObject) != nullptr;
    }
    static CGdiObject* FromHandleOfKind(HGDIOBJ hObject, Maker make, KindTest isKind);
};
