#pragma once
// The choices of File/Export Figure...: which figure, the format, the width, for PNG the
// resolution, whether the caption line is drawn, and the concentration axis. The file name is
// chosen afterwards in the save dialog.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "raster/FigureFile.h"
#include "ui/PaperFigures.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace condsim::qt {

struct FigureExportChoice {
    FigureKind kind = FigureKind::Conductivity;
    std::string format;  // "svg", "pdf" or "png"
    FigureSize size;
    FigureOptions options;  // the concentration axis
};

class ExportFigureDialog : public QDialog {
    Q_OBJECT
  public:
    ExportFigureDialog(QWidget* parent, const std::vector<FigureKind>& kinds);

    FigureExportChoice choice() const;

    // Shows the dialog; nothing when it was cancelled.
    static std::optional<FigureExportChoice> ask(QWidget* parent,
                                                 const std::vector<FigureKind>& kinds);

  private:
    std::vector<FigureKind> kinds_;
    QComboBox* kind_;
    QComboBox* format_;
    QDoubleSpinBox* width_;
    QSpinBox* dotsPerInch_;
    QCheckBox* caption_;
    QComboBox* axis_;
};

}  // namespace condsim::qt
