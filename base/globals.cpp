#include "base/globals.h"

ProgramState g_state;
