// Copy and Append to ClipBoard of the shown lesson.
#pragma once

struct TextView;

// append 0 replaces the clipboard, 1 appends to what it holds.
void CopyLesson(TextView* view, int append);
