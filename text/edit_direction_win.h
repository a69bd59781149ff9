#pragma once

// Whether the platform's edit controls reorder Hebrew; asked once, kept in
// g_editReordersHebrew (a test may set that first).
bool EditReordersHebrew();
