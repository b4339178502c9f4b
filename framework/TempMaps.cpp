#include "framework/TempMaps.h"

#include "framework/CDC.h"
#include "framework/CGdiObject.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
}
