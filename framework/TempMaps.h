// The temporary wrappers that FromHandle makes (windows, device contexts, GDI objects, menus)
// live until the thread is next idle; the message loops call this then.
#pragma once

void AfxDeleteTempMaps();
