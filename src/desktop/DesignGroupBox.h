#pragma once
// A group box drawn as the windows were designed: the frame line runs through the middle
// of the title, so that the controls placed near the top of the box stand inside the
// frame. (Qt's own styles put the title above the frame, which would push the frame's
// top border through those controls.)

#include <QGroupBox>

namespace condsim::qt {

class DesignGroupBox : public QGroupBox {
  public:
    DesignGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace condsim::qt
