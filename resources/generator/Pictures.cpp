#include "Pictures.h"

#include <utility>
#include <vector>

namespace nereku_resources {

namespace {

// Positions below are in half pixels (see Canvas.h): the picture runs from 0
// to 64, and 32 is its middle. Every symbol keeps clear of the outermost ring
// of pixels, so that magenta surrounds it.

Canvas Blank() {
    return Canvas(kPictureSize, kPictureSize);
}

// ---- Shared pieces.

// A shaded disc filling the picture, lit from the upper left.
void DrawShadedDisc(Canvas& canvas, Rgb light, Rgb dark, Rgb outline) {
    canvas.FillOutlined(Disc({32, 32}, 27), Radial(light, dark, {22, 20}, 44), outline);
}

// White pixel-art on a disc, with a shadow one pixel down and to the right.
void DrawEmbossedGlyph(Canvas& canvas, const std::vector<const char*>& rows, int left, int top,
                       Rgb shadow) {
    canvas.Fill(Glyph(rows, left + 1, top + 1), shadow);
    canvas.Fill(Glyph(rows, left, top), Vertical({255, 255, 255}, {222, 230, 245}, top, top + 16));
}

constexpr Rgb kBlueLight{110, 170, 250};
constexpr Rgb kBlueDark{16, 64, 168};
constexpr Rgb kBlueOutline{10, 36, 100};
constexpr Rgb kBlueShadow{12, 46, 120};

} // namespace

Canvas DrawNewLevel() {
    Canvas canvas = Blank();
    // The page from pixel column 7 to 24 and row 3 to 28, its upper right
    // corner folded down over a diagonal of six pixels.
    const Shape page = Convex({{14, 6}, {38, 6}, {50, 18}, {50, 58}, {14, 58}});
    canvas.FillOutlined(page, Vertical({255, 255, 255}, {214, 222, 236}, 3, 28), {84, 92, 110});
    // A faint shade along the fold.
    canvas.Fill(Convex({{38, 18}, {50, 18}, {50, 22}, {38, 22}}), {226, 230, 238});
    // The folded-down flap.
    const Shape flap = Convex({{38, 6}, {38, 18}, {50, 18}});
    canvas.FillOutlined(flap, Vertical({246, 248, 252}, {190, 198, 214}, 3, 9), {84, 92, 110});
    return canvas;
}

Canvas DrawRestartLevel() {
    Canvas canvas = Blank();
    // Most of a ring, running clockwise from just below three o'clock round
    // to twelve, and an arrow head at twelve that points on, to the right.
    const Half centre{32, 35};
    const Shape ring = Arc(centre, 23, 13, {6, 1}, {0, -1});
    const Shape head = Convex({{30, 3}, {46, 17}, {30, 31}});
    const Shape arrow = Union(ring, head);
    canvas.FillOutlined(arrow, Vertical({150, 236, 110}, {24, 128, 36}, 2, 28), {12, 78, 22});
    // A highlight along the upper edge.
    canvas.Fill(Arc(centre, 20, 17, {-5, -2}, {0, -1}), {196, 248, 170});
    return canvas;
}

Canvas DrawSaveLevel() {
    Canvas canvas = Blank();
    constexpr Rgb kOutline{14, 26, 70};
    // The case, from pixel 3 to 28 both ways, its upper right corner cut off.
    const Shape body = Convex({{6, 6}, {50, 6}, {58, 14}, {58, 58}, {6, 58}});
    canvas.FillOutlined(body, Vertical({70, 120, 210}, {30, 66, 150}, 3, 28), kOutline);
    // The metal shutter with its window.
    canvas.FillOutlined(Box(10, 3, 21, 10), Vertical({236, 238, 244}, {166, 172, 186}, 3, 10),
                        {70, 76, 92});
    canvas.Fill(Box(17, 5, 19, 9), {58, 64, 80});
    // The label, white with three ruled lines.
    canvas.FillOutlined(Box(7, 16, 24, 28), Vertical({255, 255, 255}, {226, 230, 240}, 16, 28),
                        kOutline);
    canvas.Fill(Box(9, 19, 22, 19), {150, 168, 214});
    canvas.Fill(Box(9, 22, 22, 22), {150, 168, 214});
    canvas.Fill(Box(9, 25, 18, 25), {150, 168, 214});
    return canvas;
}

Canvas DrawDeleteLevel() {
    Canvas canvas = Blank();
    DrawShadedDisc(canvas, {255, 120, 104}, {176, 20, 20}, {96, 8, 8});
    const Shape cross = Union(Segment({21, 21}, {43, 43}, 8), Segment({43, 21}, {21, 43}, 8));
    canvas.Fill(
        Intersect([cross](int x, int y) { return cross(x - 1, y - 1); }, Disc({32, 32}, 25)),
        {128, 14, 14});
    canvas.Fill(cross, Vertical({255, 255, 255}, {236, 226, 226}, 10, 22));
    return canvas;
}

Canvas DrawSolveLevel() {
    Canvas canvas = Blank();
    constexpr Rgb kOutline{56, 58, 66};
    // The tower case.
    canvas.FillOutlined(Box(4, 2, 18, 29), Vertical({240, 240, 236}, {176, 178, 176}, 2, 29),
                        kOutline);
    canvas.Fill(Box(18, 3, 18, 28), {150, 152, 150}); // its shaded side
    // Two drive bays with their slots, and the vents.
    for (int top : {5, 10}) {
        canvas.FillOutlined(Box(7, top, 15, top + 2), {206, 208, 206}, {96, 98, 104});
        canvas.Fill(Box(9, top + 1, 13, top + 1), {60, 62, 70});
    }
    for (int row = 16; row <= 20; row += 2)
        canvas.Fill(Box(7, row, 12, row), {120, 122, 128});
    // The power button, lit green.
    canvas.FillOutlined(Disc({21, 49}, 3), {90, 220, 90}, {40, 90, 40});
    // The magnifying glass: a handle, a dark rim and a pale glass lens.
    canvas.FillOutlined(Segment({50, 47}, {57, 55}, 7),
                        Vertical({150, 96, 48}, {92, 52, 20}, 22, 28), {48, 26, 10});
    const Half lens{41, 37};
    canvas.FillOutlined(Disc(lens, 17), {52, 56, 66}, {24, 26, 32});
    canvas.Fill(Disc(lens, 12), Radial({240, 250, 255}, {150, 200, 236}, {36, 31}, 22));
    canvas.Fill(Intersect(Arc(lens, 10, 7, {-1, 0}, {0, -1}), Box(0, 0, 31, 31)), {255, 255, 255});
    return canvas;
}

Canvas DrawLevelEditor() {
    Canvas canvas = Blank();
    // The frame, three pixels of wood round the picture.
    canvas.FillOutlined(Box(2, 4, 25, 25), Vertical({214, 156, 92}, {140, 86, 38}, 4, 25),
                        {74, 42, 14});
    canvas.FillOutlined(Box(6, 8, 21, 21), Vertical({140, 200, 248}, {210, 236, 255}, 8, 16),
                        {110, 66, 26});
    // The picture: a sun over green hills.
    canvas.Fill(Disc({34, 23}, 6), {255, 212, 60});
    canvas.Fill(Intersect(Ellipse({18, 48}, 16, 11), Box(6, 8, 21, 21)), {80, 168, 64});
    canvas.Fill(Intersect(Ellipse({38, 50}, 16, 9), Box(6, 8, 21, 21)), {52, 136, 48});

    // The pencil lies at 45 degrees, eraser up right, point down left. Its
    // parts follow one another along the axis from the eraser end.
    const Half end{56, 20};
    auto at = [end](int step) { return Half{end.x - step, end.y + step}; };
    auto part = [&at](int from, int to, int side0, int side1) {
        const Half a = at(from);
        const Half b = at(to);
        return Convex({{a.x + side0, a.y + side0},
                       {b.x + side0, b.y + side0},
                       {b.x + side1, b.y + side1},
                       {a.x + side1, a.y + side1}});
    };
    const Half tip = at(30);
    const Shape cone = Convex({{at(23).x + 3, at(23).y + 3}, {at(23).x - 3, at(23).y - 3}, tip});
    const Shape pencil = Union(part(0, 23, -3, 3), cone);
    canvas.FillOutlined(pencil, {250, 204, 50}, {60, 40, 16});
    canvas.Fill(part(0, 4, -3, 3), {244, 136, 156}); // eraser
    canvas.Fill(part(4, 8, -3, 3), {206, 208, 216}); // ferrule
    canvas.Fill(part(5, 6, -3, 3), {140, 142, 152});
    canvas.Fill(part(8, 23, 0, 3), {226, 160, 24});                     // shaded side of the body
    canvas.Fill(Intersect(cone, part(23, 31, -4, 4)), {240, 204, 150}); // bare wood
    canvas.Fill(Intersect(cone, part(28, 31, -4, 4)), {54, 54, 60});    // the lead
    return canvas;
}

Canvas DrawHelp() {
    Canvas canvas = Blank();
    DrawShadedDisc(canvas, kBlueLight, kBlueDark, kBlueOutline);
    DrawEmbossedGlyph(canvas,
                      {
                          "  ######  ",
                          " ######## ",
                          "####  ####",
                          "###    ###",
                          "       ###",
                          "      ####",
                          "    ##### ",
                          "   ####   ",
                          "   ###    ",
                          "   ###    ",
                          "          ",
                          "   ###    ",
                          "   ###    ",
                          "   ###    ",
                      },
                      11, 8, kBlueShadow);
    return canvas;
}

Canvas DrawAbout() {
    Canvas canvas = Blank();
    DrawShadedDisc(canvas, kBlueLight, kBlueDark, kBlueOutline);
    DrawEmbossedGlyph(canvas,
                      {
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "       ",
                          "       ",
                          "#####  ",
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "  ###  ",
                          "#######",
                      },
                      13, 8, kBlueShadow);
    return canvas;
}

// ---- The program icon.

namespace {

enum IconColour {
    kBlack,
    kWhite,
    kFrame,
    kFrameLight,
    kGridLine,
    kCell,
    kGiven,
    kEntered,
    kSign,
    kSignDark,
    kShade,
};

} // namespace

const Palette16& IconPalette() {
    static const Palette16 palette = {
        Rgb{0, 0, 0},       Rgb{255, 255, 255}, Rgb{24, 44, 104},   Rgb{60, 96, 176},
        Rgb{150, 166, 200}, Rgb{236, 242, 252}, Rgb{24, 26, 36},    Rgb{36, 100, 214},
        Rgb{214, 40, 40},   Rgb{140, 20, 20},   Rgb{208, 218, 236}, Rgb{128, 128, 128},
        Rgb{192, 192, 192}, Rgb{0, 128, 0},     Rgb{255, 220, 0},   Rgb{128, 0, 128},
    };
    return palette;
}

Canvas DrawProgramIcon() {
    const Palette16& palette = IconPalette();
    Canvas canvas(32, 32);
    // A board block with rounded corners: a frame, three by three cells and
    // the lines between them.
    const Shape rounded = Union(Box(1, 0, 30, 31), Box(0, 1, 31, 30));
    canvas.Fill(rounded, palette[kFrame]);
    canvas.Fill(Box(1, 1, 30, 1), palette[kFrameLight]);
    canvas.Fill(Box(1, 1, 1, 30), palette[kFrameLight]);
    canvas.Fill(Box(2, 2, 29, 29), palette[kGridLine]);
    for (int column : {2, 12, 22})
        for (int row : {2, 12, 22}) {
            canvas.Fill(Box(column, row, column + 7, row + 7), palette[kCell]);
            canvas.Fill(Box(column, row + 7, column + 7, row + 7), palette[kShade]);
        }
    // Givens in black, the player's numbers in blue, and two signs: the 3 is
    // greater than the 2 to its right, the 2 is smaller than the 8 below it.
    auto digit = [&canvas, &palette](std::vector<const char*> rows, int left, int top,
                                     IconColour colour) {
        canvas.Fill(Glyph(rows, left, top), palette[colour]);
    };
    digit({"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}, 3, 2, kGiven);
    digit({" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}, 13, 2, kGiven);
    digit({" ### ", "#   #", "    #", "  ## ", "    #", "#   #", " ### "}, 13, 12, kGiven);
    digit({" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}, 23, 12, kEntered);
    digit({"#####", "    #", "   # ", "  #  ", "  #  ", "  #  ", "  #  "}, 3, 22, kEntered);
    digit({" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}, 23, 23, kEntered);
    canvas.Fill(Glyph({"#   ", "##  ", " ## ", "  ##", " ## ", "##  ", "#   "}, 19, 12),
                palette[kSign]);
    canvas.Fill(Glyph({"   ##   ", "  ####  ", " ##  ## ", "##    ##"}, 22, 19), palette[kSign]);
    return canvas;
}

} // namespace nereku_resources
