// Printing the shown lesson.
#pragma once

struct TextView;

void PrintLesson(TextView* view);
