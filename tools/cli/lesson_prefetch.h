// Lessons decoded and searched ahead of a search walk on the machine's other
// cores. The walk asks for the lessons after the one on screen in cycle
// order; the helpers decode and search the next ones meanwhile, and when the
// walk has to wait it takes the next free one itself, so two cores halve a
// full walk.
#pragma once
#include <cstdint>

// Begins with the lesson after `current`; `pattern` must outlive the
// prefetch; options are the search's (spelling_matcher.h). Returns how many
// helpers it started: none where the process may use only one core, and
// LoadPrefetched then just decodes.
unsigned StartPrefetch(int current, const uint8_t* pattern, uint32_t options = 0);
// A LessonLoader: the lesson decoded ahead when it was asked for in order,
// or null when it holds no match (the walk skips it); else decoded now. The
// caller frees it.
uint8_t* LoadPrefetched(int lesson);
// Ends the helpers and frees whatever was decoded and never asked for.
void StopPrefetch();
