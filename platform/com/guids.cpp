// The one definition of every interface and class identifier that the headers declare.
#define INITGUID
#include <ole2.h>
