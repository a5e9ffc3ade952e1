// The cursor pictures, written as rows: '#' outline, '.' fill, anything else clear.
#include "report/Cursors.h"

#include <initializer_list>

#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"

namespace {

constexpr TColor kClear = TColor(255 | (0 << 8) | (255 << 16));   // fuchsia
constexpr int kSize = 32;

struct TCursorArt {
    std::string_view Name;
    int HotX;
    int HotY;
    std::initializer_list<std::string_view> Rows;
};

const TCursorArt kHand{"frxHAND", 8, 8, {
    "       ##         ",
    "   ## #..###      ",
    "  #..##..#..#     ",
    "  #..##..#..# #   ",
    "   #..#..#..##.#  ",
    "   #..#..#..#..#  ",
    " ## #.......#..#  ",
    "#..##..........#  ",
    "#...#.........#   ",
    " #............#   ",
    "  #...........#   ",
    "  #..........#    ",
    "   #.........#    ",
    "    #........#    ",
    "     #......#     ",
    "     #......#     ",
    "     ########     ",
}};

const TCursorArt kZoom{"frxZOOM", 6, 6, {
    "    #####        ",
    "  ##.....##      ",
    " #.........#     ",
    " #....#....#     ",
    "#.....#.....#    ",
    "#...#####...#    ",
    "#.....#.....#    ",
    "#.....#.....#    ",
    " #.........#     ",
    " #.........#     ",
    "  ##.....####    ",
    "    #####.###    ",
    "          ###    ",
    "           ###   ",
    "            ###  ",
    "             ### ",
    "              ## ",
}};

const TCursorArt kFormat{"frxFORMAT", 0, 0, {
    "#                   ",
    "##                  ",
    "#.#                 ",
    "#..#                ",
    "#...#               ",
    "#....#              ",
    "#.....#             ",
    "#......#            ",
    "#.......#           ",
    "#....#####          ",
    "#.#..#              ",
    "## #..#   ########  ",
    "#  #..#   #......#  ",
    "    #..#  #......#  ",
    "    #..#  ########  ",
    "     ##     #..#    ",
    "            #..#    ",
    "            #..#    ",
    "            #..#    ",
    "            ####    ",
}};

const TCursorArt kPencil{"frxPENCIL", 1, 17, {
    "              ##  ",
    "             #..# ",
    "            #...# ",
    "           #...#  ",
    "          #...#   ",
    "         #...#    ",
    "        #...#     ",
    "       #...#      ",
    "      #...#       ",
    "     #...#        ",
    "    #...#         ",
    "   #...#          ",
    "  #...#           ",
    "  #..#            ",
    " #.##             ",
    " ##               ",
    " #                ",
    " #                ",
}};

const TCursorArt* const kCursors[] = {&kHand, &kZoom, &kFormat, &kPencil};

}  // namespace

bool frxLoadResourceCursor(std::string_view Name, TBitmap& Bitmap, int& HotX, int& HotY) {
    for (const TCursorArt* art : kCursors) {
        if (art->Name != Name) continue;
        Bitmap.SetSize(kSize, kSize);
        TCanvas* c = Bitmap.Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(kClear);
        c->FillRect(Rect(0, 0, kSize, kSize));
        int y = 0;
        for (std::string_view row : art->Rows) {
            for (int x = 0; x < static_cast<int>(row.size()) && x < kSize; ++x) {
                if (row[x] == '#') c->SetPixel(x, y, clBlack);
                else if (row[x] == '.') c->SetPixel(x, y, clWhite);
            }
            ++y;
        }
        Bitmap.SetTransparentColor(kClear);
        Bitmap.SetTransparent(true);
        HotX = art->HotX;
        HotY = art->HotY;
        return true;
    }
    return false;
}

bool frxInstallCursor(int Index, std::string_view Name) {
    TBitmap bitmap;
    int hotX = 0, hotY = 0;
    if (!frxLoadResourceCursor(Name, bitmap, hotX, hotY)) return false;
    Screen->SetCursorImage(Index, bitmap, hotX, hotY);
    return true;
}

void frxInstallCursors() {
    static bool done = false;
    if (done) return;
    done = true;
    frxInstallCursor(crHand, "frxHAND");
    frxInstallCursor(crZoom, "frxZOOM");
    frxInstallCursor(crFormat, "frxFORMAT");
}
