#include "Canvas.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace nereku_resources {

namespace {

using Wide = std::int64_t;

Half CentreOf(int x, int y) {
    return {2 * x + 1, 2 * y + 1};
}

// Positive when b lies clockwise of a on the screen (y grows downwards).
Wide Cross(Half a, Half b) {
    return Wide{a.x} * b.y - Wide{a.y} * b.x;
}

Wide SquaredLength(Half a) {
    return Wide{a.x} * a.x + Wide{a.y} * a.y;
}

Half Difference(Half a, Half b) {
    return {a.x - b.x, a.y - b.y};
}

// The largest r with r * r <= n.
Wide IntegerSqrt(Wide n) {
    Wide r = 0;
    Wide bit = Wide{1} << 40;
    while (bit > n)
        bit >>= 2;
    while (bit != 0) {
        if (n >= r + bit) {
            n -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return r;
}

} // namespace

Rgb Blend(Rgb a, Rgb b, int weight) {
    if (weight < 0)
        weight = 0;
    if (weight > 256)
        weight = 256;
    auto mix = [weight](int p, int q) {
        return static_cast<std::uint8_t>((p * (256 - weight) + q * weight + 128) >> 8);
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Shape Disc(Half centre, int radius) {
    return Ellipse(centre, radius, radius);
}

Shape Ellipse(Half centre, int radiusX, int radiusY) {
    return [=](int x, int y) {
        const Half d = Difference(CentreOf(x, y), centre);
        // (dx / rx)^2 + (dy / ry)^2 <= 1, multiplied out.
        const Wide rx2 = Wide{radiusX} * radiusX;
        const Wide ry2 = Wide{radiusY} * radiusY;
        return Wide{d.x} * d.x * ry2 + Wide{d.y} * d.y * rx2 <= rx2 * ry2;
    };
}

Shape Box(int left, int top, int right, int bottom) {
    return [=](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

Shape Segment(Half from, Half to, int width) {
    return [=](int x, int y) {
        const Half p = Difference(CentreOf(x, y), from);
        const Half axis = Difference(to, from);
        const Wide length2 = SquaredLength(axis);
        const Wide along = Wide{p.x} * axis.x + Wide{p.y} * axis.y;
        // Compare twice the distance with the width, all squared.
        Wide distance2Times4Length2 = 0;
        if (length2 == 0 || along <= 0) {
            distance2Times4Length2 = 4 * SquaredLength(p) * (length2 == 0 ? 1 : length2);
        } else if (along >= length2) {
            distance2Times4Length2 = 4 * SquaredLength(Difference(p, axis)) * length2;
        } else {
            const Wide across = Cross(axis, p);
            distance2Times4Length2 = 4 * across * across;
        }
        return distance2Times4Length2 <= Wide{width} * width * (length2 == 0 ? 1 : length2);
    };
}

Shape Convex(std::vector<Half> corners) {
    return [corners = std::move(corners)](int x, int y) {
        const Half p = CentreOf(x, y);
        bool anyPositive = false;
        bool anyNegative = false;
        for (size_t i = 0; i < corners.size(); ++i) {
            const Half a = corners[i];
            const Half b = corners[(i + 1) % corners.size()];
            const Wide side = Cross(Difference(b, a), Difference(p, a));
            anyPositive = anyPositive || side > 0;
            anyNegative = anyNegative || side < 0;
        }
        return !(anyPositive && anyNegative);
    };
}

Shape Arc(Half centre, int outerRadius, int innerRadius, Half startDirection, Half endDirection) {
    const Shape ring = Minus(Disc(centre, outerRadius), Disc(centre, innerRadius));
    return [=](int x, int y) {
        if (!ring(x, y))
            return false;
        const Half p = Difference(CentreOf(x, y), centre);
        const bool startToP = Cross(startDirection, p) >= 0;
        const bool pToEnd = Cross(p, endDirection) >= 0;
        if (Cross(startDirection, endDirection) >= 0)
            return startToP && pToEnd; // a sweep of half a turn or less
        // A longer sweep: everything but the short way back from end to start.
        return !(Cross(endDirection, p) > 0 && Cross(p, startDirection) > 0);
    };
}

Shape Glyph(const std::vector<const char*>& rows, int left, int top) {
    std::vector<std::string> copy(rows.begin(), rows.end());
    return [copy = std::move(copy), left, top](int x, int y) {
        const int row = y - top;
        const int column = x - left;
        if (row < 0 || column < 0 || row >= static_cast<int>(copy.size()))
            return false;
        const std::string& text = copy[static_cast<size_t>(row)];
        return column < static_cast<int>(text.size()) && text[static_cast<size_t>(column)] == '#';
    };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int x, int y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int x, int y) { return a(x, y) && !b(x, y); };
}

Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int x, int y) { return a(x, y) && b(x, y); };
}

Paint Solid(Rgb colour) {
    return [colour](int, int) { return colour; };
}

Paint Radial(Rgb light, Rgb dark, Half highlight, int reach) {
    return [=](int x, int y) {
        const Wide distance = IntegerSqrt(SquaredLength(Difference(CentreOf(x, y), highlight)));
        return Blend(light, dark, static_cast<int>(distance * 256 / reach));
    };
}

Paint Vertical(Rgb top, Rgb bottom, int topRow, int bottomRow) {
    return [=](int, int y) {
        const int span = bottomRow > topRow ? bottomRow - topRow : 1;
        return Blend(top, bottom, (y - topRow) * 256 / span);
    };
}

Canvas::Canvas(int width_, int height_, Rgb background)
    : width(width_), height(height_),
      pixels(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

void Canvas::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        throw std::out_of_range("pixel outside the canvas");
    pixels[static_cast<size_t>(y * width + x)] = colour;
}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (shape(x, y))
                Set(x, y, paint(x, y));
}

void Canvas::FillOutlined(const Shape& shape, const Paint& paint, Rgb outline) {
    const Shape grown = [&shape](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (shape(x + dx, y + dy))
                    return true;
        return false;
    };
    Fill(grown, outline);
    Fill(shape, paint);
}

} // namespace nereku_resources
