#include "framework/TempMaps.h"

#include "framework/CWnd.h"

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
}
