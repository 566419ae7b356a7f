#pragma once
// A picture control on the screen: shows the image of the headless Picture's raster
// canvas, or nothing while the picture is blank.

#include <QWidget>

#include "desktop/UserActions.h"
#include "ui/Picture.h"

namespace condsim::qt {

class PictureWidget : public QWidget, public Refreshable {
    Q_OBJECT
  public:
    PictureWidget(const Picture& picture, QWidget* parent);
    void refreshFromState() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Picture& picture_;
    unsigned long long shownRevision_;
};

}  // namespace condsim::qt
