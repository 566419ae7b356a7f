#pragma once
// The pixel canvas that the plots draw on, with the origin at the top left. It keeps its
// pen (colour, width) and brush between drawings; a drawing changes only what it sets.

#include <cstdint>

namespace condsim {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color white{255, 255, 255};
inline constexpr Color black{0, 0, 0};
inline constexpr Color green{0, 128, 0};
inline constexpr Color red{255, 0, 0};
inline constexpr Color blue{0, 0, 255};
inline constexpr Color yellow{255, 255, 0};
inline constexpr Color purple{128, 0, 128};
}  // namespace colors

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    void setPenColor(Color color) { penColor_ = color; }
    void setPenWidth(int width) { penWidth_ = width; }
    void setBrushColor(Color color) { brushColor_ = color; }
    Color penColor() const { return penColor_; }
    int penWidth() const { return penWidth_; }
    Color brushColor() const { return brushColor_; }

    // Outline with the pen, interior filled with the brush; corners in any order.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    // The ellipse inscribed in the box, outline with the pen, filled with the brush.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line with the pen from the current position, which then becomes (x, y).
    virtual void lineTo(int x, int y) = 0;

  private:
    Color penColor_ = colors::black;
    int penWidth_ = 1;
    Color brushColor_ = colors::white;
};

}  // namespace condsim
