// The global pointer to the application context.
#include "core/AppContext.h"

AppContext* gApp = nullptr;
