#include "tools/pixel_scale.h"

namespace {

// The pixel at (x, y), or the fallback when that lies outside the map: an
// edge pixel then counts as its own neighbour.
char At(const std::vector<std::string>& rows, int x, int y, char fallback)
{
    if (y < 0 || y >= int(rows.size()) || x < 0 || x >= int(rows[y].size())) return fallback;
    return rows[y][x];
}

// A B C
// D E F   the neighbourhood of E
// G H I
struct Around {
    char A, B, C, D, E, F, G, H, I;
};

Around Neighbours(const std::vector<std::string>& rows, int x, int y)
{
    char e = rows[y][x];
    return {At(rows, x - 1, y - 1, e), At(rows, x, y - 1, e), At(rows, x + 1, y - 1, e),
            At(rows, x - 1, y, e),     e,                     At(rows, x + 1, y, e),
            At(rows, x - 1, y + 1, e), At(rows, x, y + 1, e), At(rows, x + 1, y + 1, e)};
}

void Scale2(const Around& n, char out[4])
{
    for (int i = 0; i < 4; ++i) out[i] = n.E;
    if (n.B == n.H || n.D == n.F) return;
    if (n.D == n.B) out[0] = n.D;
    if (n.B == n.F) out[1] = n.F;
    if (n.D == n.H) out[2] = n.D;
    if (n.H == n.F) out[3] = n.F;
}

void Scale3(const Around& n, char out[9])
{
    for (int i = 0; i < 9; ++i) out[i] = n.E;
    if (n.B == n.H || n.D == n.F) return;
    if (n.D == n.B) out[0] = n.D;
    if ((n.D == n.B && n.E != n.C) || (n.B == n.F && n.E != n.A)) out[1] = n.B;
    if (n.B == n.F) out[2] = n.F;
    if ((n.D == n.B && n.E != n.G) || (n.D == n.H && n.E != n.A)) out[3] = n.D;
    if ((n.B == n.F && n.E != n.I) || (n.H == n.F && n.E != n.C)) out[5] = n.F;
    if (n.D == n.H) out[6] = n.D;
    if ((n.D == n.H && n.E != n.I) || (n.H == n.F && n.E != n.G)) out[7] = n.H;
    if (n.H == n.F) out[8] = n.F;
}

}  // namespace

std::vector<std::string> ScalePixelMap(const std::vector<std::string>& rows, int factor)
{
    if (factor != 2 && factor != 3) return rows;
    std::vector<std::string> out;
    for (int y = 0; y < int(rows.size()); ++y) {
        std::vector<std::string> block(factor, std::string(rows[y].size() * factor, ' '));
        for (int x = 0; x < int(rows[y].size()); ++x) {
            char cell[9];
            if (factor == 2)
                Scale2(Neighbours(rows, x, y), cell);
            else
                Scale3(Neighbours(rows, x, y), cell);
            for (int r = 0; r < factor; ++r)
                for (int c = 0; c < factor; ++c) block[r][x * factor + c] = cell[r * factor + c];
        }
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}
