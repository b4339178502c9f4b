// The master header of the Windows API subset that this product uses.
#pragma once
#include <windef.h>
#include <winerror.h>
#include <winbase.h>
#include <wingdi.h>
#include <winuser.h>
#include <winreg.h>
#include <winnls.h>
