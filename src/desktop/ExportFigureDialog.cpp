#include "desktop/ExportFigureDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

#include "desktop/BusyCursor.h"

namespace condsim::qt {

ExportFigureDialog::ExportFigureDialog(QWidget* parent, const std::vector<FigureKind>& kinds)
    : QDialog(parent),
      kinds_(kinds),
      kind_(new QComboBox(this)),
      format_(new QComboBox(this)),
      width_(new QDoubleSpinBox(this)),
      dotsPerInch_(new QSpinBox(this)),
      caption_(new QCheckBox(QStringLiteral("Caption line under the plot"), this)),
      axis_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Export Figure"));
    for (const FigureKind kind : kinds_)
        kind_->addItem(QString::fromStdString(figureKindTitle(kind)));
    format_->addItem(QStringLiteral("SVG (vector)"), QStringLiteral("svg"));
    format_->addItem(QStringLiteral("PDF (vector)"), QStringLiteral("pdf"));
    format_->addItem(QStringLiteral("PNG (pixels)"), QStringLiteral("png"));
    const FigureSize defaults;
    width_->setRange(2, 50);
    width_->setDecimals(1);
    width_->setSingleStep(0.5);
    width_->setSuffix(QStringLiteral(" cm"));
    width_->setValue(defaults.widthCentimetres);
    dotsPerInch_->setRange(10, 2400);
    dotsPerInch_->setSuffix(QStringLiteral(" dpi"));
    dotsPerInch_->setValue(defaults.pngDotsPerInch);
    dotsPerInch_->setEnabled(false);
    caption_->setChecked(defaults.caption);
    // The item's data: the scale's name, or none for the figure's own axis.
    axis_->addItem(QStringLiteral("As the figure has it"), QString());
    axis_->addItem(QStringLiteral("Linear"), QStringLiteral("linear"));
    axis_->addItem(QStringLiteral("Logarithmic"), QStringLiteral("log"));
    axis_->addItem(QStringLiteral("Square root"), QStringLiteral("sqrt"));
    connect(format_, &QComboBox::currentIndexChanged, this, [this] {
        dotsPerInch_->setEnabled(format_->currentData().toString() == QLatin1String("png"));
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Figure:"), kind_);
    layout->addRow(QStringLiteral("Format:"), format_);
    layout->addRow(QStringLiteral("Width:"), width_);
    layout->addRow(QStringLiteral("PNG resolution:"), dotsPerInch_);
    layout->addRow(QStringLiteral("Concentration axis:"), axis_);
    layout->addRow(QString(), caption_);
    layout->addRow(buttons);
}

FigureExportChoice ExportFigureDialog::choice() const {
    FigureExportChoice choice;
    choice.kind = kinds_.at(static_cast<size_t>(std::max(kind_->currentIndex(), 0)));
    choice.format = format_->currentData().toString().toStdString();
    choice.size.widthCentimetres = width_->value();
    choice.size.pngDotsPerInch = dotsPerInch_->value();
    choice.size.caption = caption_->isChecked();
    choice.options.x = figureScaleNamed(axis_->currentData().toString().toStdString());
    return choice;
}

std::optional<FigureExportChoice> ExportFigureDialog::ask(QWidget* parent,
                                                          const std::vector<FigureKind>& kinds) {
    ExportFigureDialog dialog(parent, kinds);
    const ArrowCursorWhileOpen arrow;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace condsim::qt
