// The Win32 side of a TextView: one GDI font per style key, cached per view,
// and the GDI measuring device the portable layout uses.
#include "text/style_fonts_win.h"

#include <cstring>
#include "base/face_name_win.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {

int StylePoints(const TextView* v, uint16_t code)
{
    if (code & STYLE_LARGE) return v->pointSize ? v->pointSize * 5 / 4 : 20;
    if (code & STYLE_SMALL) return v->pointSize ? v->pointSize * 6 / 8 : 14;
    if (code & STYLE_CODE_SMALL_PRINT) return 8;
    return v->pointSize;
}

void SelectGdiObject(ViewDc dc, void* object) { SelectObject(dc, object); }

void ReadGdiMetrics(ViewDc dc, int* height, int* maxCharWidth)
{
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    *height = tm.tmHeight;
    *maxCharWidth = tm.tmMaxCharWidth;
}

void DeleteGdiFont(ViewFont font) { DeleteObject(font); }

void *SelectStyleFontObject(TextView* view, uint16_t code) { return SelectStyleFont(view, code); }

const TextDevice s_gdiDevice = {SelectStyleFontObject, SelectGdiObject, ReadGdiMetrics, MeasureFit, DeleteGdiFont};

}  // namespace

const TextDevice* g_textDevice = &s_gdiDevice;

HFONT CreateStyleFont(TextView* view, FontCacheNode* node, uint16_t code)
{
    LOGFONTW font = {};
    if (view->faceName[0]) {
        SetFaceName(font, view->faceName);
    } else {
        font.lfCharSet = HEBREW_CHARSET;
    }
    int points = StylePoints(view, code);
    font.lfWeight = (code & STYLE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfHeight = -MulDiv(points, GetDeviceCaps(view->dc, LOGPIXELSY), 72);
    node->font = CreateFontIndirectW(&font);
    return node->font;
}

FontCacheNode* AddStyleFont(TextView* view, uint16_t code)
{
    FontCacheNode* node = PushStyleFont(view, code & STYLE_CODE_KEY);
    if (node) CreateStyleFont(view, node, code);
    return node;
}

HGDIOBJ SelectStyleFont(TextView* view, uint16_t code)
{
    if (!view) return nullptr;
    uint16_t key = code & STYLE_CODE_KEY;
    FontCacheNode* node = FindStyleFont(view, key);
    if (!node) node = AddStyleFont(view, code);
    else if (!node->font) CreateStyleFont(view, node, key);   // deleted by SetViewFont(none)
    if (code & STYLE_CODE_COLOR)
        SetTextColor(view->dc, (key & STYLE_BLUE) == STYLE_BLUE ? HEADING_BLUE : RGB(0, 0, 0));
    // Without a node or font the system font stands in, so the caller still
    // gets back the object it has to put back.
    HGDIOBJ font = node && node->font ? static_cast<HGDIOBJ>(node->font) : GetStockObject(SYSTEM_FONT);
    return SelectObject(view->dc, font);
}

void DropStyleFonts(TextView* view)
{
    for (FontCacheNode* node = view->fontCache; node; node = node->next) {
        if (node->font) DeleteObject(node->font);
        node->font = nullptr;
    }
}

void RemakeStyleFonts(TextView* view)
{
    for (FontCacheNode* node = view->fontCache; node; node = node->next) CreateStyleFont(view, node, node->key);
}
