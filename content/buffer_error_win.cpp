#include <windows.h>

#include "content/buffer_error.h"

void ReportBufferError() { MessageBoxW(nullptr, L"UnCompress() buffer error!", nullptr, MB_OK); }
