// How the decoder tells the user a record would not decode: a message box on
// Windows, a line on stderr in native builds.
#pragma once

void ReportBufferError();
