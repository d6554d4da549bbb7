// A small pixel canvas for drawing the button pictures and the program icon.
//
// Everything here is integer arithmetic, so that the generated files come out
// the same, byte for byte, with every compiler and on every machine. Positions
// of shapes are given in half pixels: the centre of pixel (x, y) lies at
// (2x + 1, 2y + 1), so a shape can be centred on a pixel or between two.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace nereku_resources {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

inline bool operator==(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(Rgb a, Rgb b) {
    return !(a == b);
}

// The colour that the buttons show as their background.
constexpr Rgb kMagenta{255, 0, 255};

// A blend of two colours, weight 0 giving a and 256 giving b.
Rgb Blend(Rgb a, Rgb b, int weight);

// A point in half-pixel units.
struct Half {
    int x = 0;
    int y = 0;
};

// A shape answers whether the centre of a pixel lies inside it.
using Shape = std::function<bool(int x, int y)>;
// A paint gives the colour of a pixel inside a shape.
using Paint = std::function<Rgb(int x, int y)>;

// Basic shapes. Radii and widths are in half pixels as well.
Shape Disc(Half centre, int radius);
Shape Ellipse(Half centre, int radiusX, int radiusY);
Shape Box(int left, int top, int right, int bottom); // whole pixels, inclusive
Shape Segment(Half from, Half to, int width);
// A convex polygon, its corners in either winding order.
Shape Convex(std::vector<Half> corners);
// The part of a ring between two directions, going clockwise (on screen) from
// the start direction to the end direction.
Shape Arc(Half centre, int outerRadius, int innerRadius, Half startDirection, Half endDirection);
// A pixel-art shape: '#' marks the pixels, the top-left character lands on
// pixel (left, top).
Shape Glyph(const std::vector<const char*>& rows, int left, int top);

Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);

// Paints.
Paint Solid(Rgb colour);
// Light at the highlight point, fading to dark at the given distance and beyond.
Paint Radial(Rgb light, Rgb dark, Half highlight, int reach);
// A linear fade from the top row to the bottom row.
Paint Vertical(Rgb top, Rgb bottom, int topRow, int bottomRow);

class Canvas {
public:
    Canvas(int width, int height, Rgb background = kMagenta);

    int Width() const { return width; }
    int Height() const { return height; }
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    void Set(int x, int y, Rgb colour);

    // Fills the pixels of a shape.
    void Fill(const Shape& shape, const Paint& paint);
    void Fill(const Shape& shape, Rgb colour) { Fill(shape, Solid(colour)); }
    // Fills a shape and draws a one-pixel outline just outside it (the pixels
    // that touch the shape by a side or a corner).
    void FillOutlined(const Shape& shape, const Paint& paint, Rgb outline);
    void FillOutlined(const Shape& shape, Rgb colour, Rgb outline) {
        FillOutlined(shape, Solid(colour), outline);
    }

private:
    int width;
    int height;
    std::vector<Rgb> pixels;
};

} // namespace nereku_resources
