#include <cstdio>

#include "content/buffer_error.h"

void ReportBufferError() { fputs("UnCompress() buffer error!\n", stderr); }
