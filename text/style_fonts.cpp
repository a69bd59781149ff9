#include "text/style_fonts.h"

#include <cstdlib>

FontCacheNode* FindStyleFont(TextView* v, uint16_t key)
{
    for (FontCacheNode* node = v->fontCache; node; node = node->next)
        if (node->key == key) return node;
    return nullptr;
}

FontCacheNode* PushStyleFont(TextView* v, uint16_t key)
{
    auto* node = static_cast<FontCacheNode*>(calloc(1, sizeof(FontCacheNode)));
    if (!node) return nullptr;
    node->key = key;
    node->next = v->fontCache;
    v->fontCache = node;
    return node;
}

void FreeStyleFonts(TextView* v)
{
    for (FontCacheNode* node = v->fontCache; node;) {
        FontCacheNode* next = node->next;
        if (node->font) g_textDevice->deleteFont(node->font);
        free(node);
        node = next;
    }
    v->fontCache = nullptr;
}
