#include "desktop/DesignScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace condsim::qt {

namespace {
constexpr int designDotsPerInch = 120;
}

DesignScale DesignScale::ofPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dotsPerInch =
        screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
    return DesignScale(dotsPerInch > 0 ? dotsPerInch : 96);
}

int DesignScale::operator()(int designPixels) const {
    const long long product = static_cast<long long>(designPixels) * dotsPerInch_;
    const long long half = designDotsPerInch / 2;
    const long long rounded = product >= 0 ? (product + half) / designDotsPerInch
                                           : -((-product + half) / designDotsPerInch);
    return static_cast<int>(rounded);
}

QRect DesignScale::rect(int left, int top, int width, int height) const {
    return QRect((*this)(left), (*this)(top), (*this)(width), (*this)(height));
}

void DesignScale::place(QWidget& widget, int left, int top, int width, int height) const {
    widget.setGeometry(rect(left, top, width, height));
}

QFont DesignScale::defaultFont() const {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize((*this)(15));
    return font;
}

QFont DesignScale::captionFont(int designPixels) const {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize((*this)(designPixels));
    return font;
}

}  // namespace condsim::qt
