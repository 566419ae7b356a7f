#pragma once
// The windows are designed for 120 pixels per inch. DesignScale converts design pixels
// to the screen's logical pixels and makes the fonts of the design.

#include <QFont>
#include <QRect>

class QWidget;

namespace condsim::qt {

class DesignScale {
  public:
    // The factor logical dots per inch / 120 of the primary screen (0.8 at 96).
    static DesignScale ofPrimaryScreen();
    explicit DesignScale(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    // A design length in screen pixels, rounded half away from zero.
    int operator()(int designPixels) const;
    QRect rect(int left, int top, int width, int height) const;
    // Places a widget at its design position and size, relative to its parent.
    void place(QWidget& widget, int left, int top, int width, int height) const;

    // The default font: the proportional Japanese Gothic face, 15 design pixels.
    QFont defaultFont() const;
    // The font of controls with a caption: "Times New Roman" at the given design size.
    QFont captionFont(int designPixels = 18) const;

  private:
    int dotsPerInch_;
};

}  // namespace condsim::qt
