// Stand-ins for the dialogs and commands that are still being written. Each
// behaves as if the reader cancelled; delete an entry when its real one lands.
#include "calendar/calendar_dialog.h"
#include "fonts/font_dialog.h"
#include "index/section_dialog.h"
#include "search/find_next.h"
#include "search/search_dialog.h"
#include "settings/bookmarks_win.h"

