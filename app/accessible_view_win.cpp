#include "app/accessible_view_win.h"

#include <oleacc.h>

#include <cstdlib>
#include <string>

#include "base/accessible_parts_win.h"
#include "base/globals.h"
#include "app/selection_win.h"
#include "output/clipboard_format.h"
#include "search/hit_banner.h"
#include "settings/settings.h"
#include "text/letter_code.h"
#include "text/selection.h"
#include "text/text_format.h"
#include "text/text_view.h"

namespace {

// Letter-code text stored for drawing left to right, read the other way.
std::u16string Reading(const uint8_t* bytes, int length)
{
    return ReadingUnicode(std::string_view(reinterpret_cast<const char*>(bytes), length > 0 ? length : 0));
}

std::u16string DateText() { return Reading(g_settings.dateText, g_settings.dateTextLength); }

std::u16string DayName()
{
    std::u16string name = DateText();
    const TextView* view = g_state.mainView;
    if (view && view->text) {
        Heading first, second;
        GetLessonHeadings(view->text, &first, &second);
        if (first.text) {
            if (!name.empty()) name += u", ";
            name += Reading(first.text, first.length);
        }
    }
    return name;
}

std::u16string PageText()
{
    unsigned first, last;
    TextView* view = g_state.mainView;
    if (!view || !PageReadingRange(view, &first, &last)) return {};
    uint8_t* passage = PassageText(view->text, first, last);
    if (!passage) return {};
    std::u16string text(PassageReadingText(passage, nullptr, 0), u'\0');
    PassageReadingText(passage, text.data(), text.size());
    free(passage);
    text.resize(text.size() - 1);
    return text;
}

bool ViewName(HWND, std::u16string* out)
{
    *out = DayName();
    return true;
}

bool ViewValue(HWND, std::u16string* out)
{
    *out = PageText();
    return true;
}

long BandCount(HWND)
{
    return 1;
}

bool BandName(HWND, long, std::u16string* out)
{
    *out = DateText();
    return true;
}

long BandState(HWND, long)
{
    return STATE_SYSTEM_READONLY;
}

bool BandBoxOf(HWND, long, RECT* box)
{
    const BandBox& band = g_state.dateBand;
    *box = {band.left, band.top, band.left + band.width, band.top + band.height};
    return true;
}

// The view, and the date band below it as its one part.
constexpr AccessibleParts VIEW_PARTS = {
    .role = ROLE_SYSTEM_DOCUMENT,
    .name = ViewName,
    .value = ViewValue,
    .state = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE,
    .count = BandCount,
    .partName = BandName,
    .partRole = ROLE_SYSTEM_STATICTEXT,
    .partState = BandState,
    .partBox = BandBoxOf,
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId)
{
    return AnswerAccessibleParts(window, flags, objectId, &VIEW_PARTS);
}

void NotifyViewChanged(HWND window, bool dayChanged)
{
    if (dayChanged) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}
