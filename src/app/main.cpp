// The window program's entry point.

#include "app/Application.h"

wxIMPLEMENT_APP(Application);
