// Text-neutral names: this product builds narrow, so they map to the char functions.
#pragma once
#include <string.h>
#define _T(x) x
#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscmp strcmp
#define _tcsrchr strrchr
#define _tcschr strchr
#define _stprintf sprintf
#define _sntprintf snprintf
#define _ttoi atoi
