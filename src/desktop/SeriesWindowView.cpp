#include "desktop/SeriesWindowView.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/FitProgress.h"
#include "raster/FigureRenderer.h"

namespace condsim::qt {

namespace {

constexpr DesignRect vantHoffFigurePlace{10, 742, 600, 420};
constexpr DesignRect waldenFigurePlace{630, 742, 600, 420};

// The figures as on paper, 8.5 cm wide and 0.8 of that high, in points.
constexpr double figureWidthPoints = 8.5 * 72 / 2.54;
constexpr double figureHeightPoints = 0.8 * figureWidthPoints;

}  // namespace

const QString SeriesWindowView::caption = QStringLiteral("Temperature Series");

SeriesWindowView::SeriesWindowView(SeriesWindow& form, UserActions& actions,
                                   const DesignScale& scale, FigureWriter writeFigure)
    : BoundWindow(form.window, actions, scale, caption, {70, 30, 1250, 1230}),
      form_(form),
      writeFigure_(std::move(writeFigure)) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    ExportTable1 = addMenuItem(
        file, QStringLiteral("Export Table (CSV)..."), [&form] { form.ExportTableClick(); },
        MenuItemRun::AfterTrigger);
    ExportReport1 = addMenuItem(
        file, QStringLiteral("Export Report..."), [&form] { form.ExportReportClick(); },
        MenuItemRun::AfterTrigger);
    ExportVantHoff1 = addMenuItem(
        file, QStringLiteral("Export van 't Hoff Figure..."),
        [this, &form] { form.ExportFigureClick(SeriesFigureKind::VantHoff, writeFigure_); },
        MenuItemRun::AfterTrigger);
    ExportWalden1 = addMenuItem(
        file, QStringLiteral("Export Walden Figure..."),
        [this, &form] { form.ExportFigureClick(SeriesFigureKind::Walden, writeFigure_); },
        MenuItemRun::AfterTrigger);

    addLabel(nullptr, QStringLiteral("Data sets (data file, temperature, lambda of the anion)"),
             {10, 6, 700, 20});
    Sets = addTable(form.sets, {10, 30, 700, 210}, {440, 100, 140});

    QLabel* temperatureCaption = addLabel(nullptr, QStringLiteral("T (K)"), {730, 34, 150, 20});
    Temperature = addEditField(nullptr, form.temperature, {890, 30, 120, 28});
    temperatureCaption->setBuddy(Temperature);
    QLabel* anionCaption =
        addLabel(nullptr, QStringLiteral("lambda anion (empty: Walden)"), {730, 70, 250, 20}, 15);
    Anion = addEditField(nullptr, form.anion, {990, 66, 120, 28});
    anionCaption->setBuddy(Anion);
    Add = addButton(nullptr, QStringLiteral("Add..."), {730, 106, 120, 30},
                    [&form] { form.AddClick(); });
    Remove = addButton(nullptr, QStringLiteral("Remove"), {860, 106, 120, 30},
                       [&form] { form.RemoveClick(); });
    Import = addButton(nullptr, QStringLiteral("Import Series File..."), {990, 106, 230, 30},
                       [&form] { form.ImportClick(); });

    QLabel* globalCaption = addLabel(nullptr, QStringLiteral("Global fit"), {730, 154, 100, 20});
    GlobalFit = new QComboBox(&client());
    globalCaption->setBuddy(GlobalFit);
    GlobalFit->addItems({QStringLiteral("none"), QStringLiteral("lambda free"),
                         QStringLiteral("lambda tied by Walden")});
    GlobalFit->setFont(scale.defaultFont());
    scale.place(*GlobalFit, 840, 150, 250, 28);
    connect(GlobalFit, &QComboBox::activated, this, [this, &form](int index) {
        if (this->actions().refreshing()) return;
        this->actions().run(
            [&form, index] { form.globalFit = static_cast<SeriesGlobalFit>(index); });
    });
    HeatCapacity = addCheckBox(nullptr, form.heatCapacity, {730, 184, 300, 24});
    HeatCapacity->setText(QStringLiteral("constant dCp (5 or more temperatures)"));
    Run = addButton(nullptr, QStringLiteral("Run"), {1100, 190, 120, 40}, [this, &form] {
        const FitProgress shown(*this, form, QStringLiteral("Temperature series"),
                                progressDelayMilliseconds);
        form.RunClick();
    });

    Status = addLabel(nullptr, QString(), {10, 250, 1220, 80}, 15);
    Status->setWordWrap(true);
    Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    addLabel(nullptr, QStringLiteral("Separate fits, one row per temperature"), {10, 336, 600, 20});
    Temperatures = addTable(form.temperatures, {10, 358, 1220, 170}, {90}, 120);
    addLabel(nullptr, QStringLiteral("van 't Hoff: ln K1 against 1/T"), {10, 536, 600, 20});
    VantHoff = addTable(form.vantHoff, {10, 558, 600, 176}, {150}, 110);
    addLabel(nullptr, QStringLiteral("Global fit"), {630, 536, 600, 20});
    Global = addTable(form.global, {630, 558, 600, 176}, {150}, 110);

    VantHoffFigure = addLabel(nullptr, QString(), vantHoffFigurePlace);
    WaldenFigure = addLabel(nullptr, QString(), waldenFigurePlace);
    for (QLabel* figure : {VantHoffFigure, WaldenFigure}) {
        figure->setAlignment(Qt::AlignCenter);
        figure->setWordWrap(true);
    }

    setFocusOrder({Sets, Temperature, Anion, Add, Remove, Import, GlobalFit, HeatCapacity, Run,
                   Temperatures, VantHoff, Global});

    nameControl(*Sets, QStringLiteral("Sets"), QStringLiteral("Data sets"));
    nameControl(*Temperature, QStringLiteral("Temperature"), QStringLiteral("T (K)"));
    nameControl(*Anion, QStringLiteral("Anion"), QStringLiteral("lambda of the anion"));
    nameControl(*Add, QStringLiteral("Add"), QStringLiteral("Add data file"));
    nameControl(*Remove, QStringLiteral("Remove"), QStringLiteral("Remove data set"));
    nameControl(*Import, QStringLiteral("Import"), QStringLiteral("Import series file"));
    nameControl(*GlobalFit, QStringLiteral("GlobalFit"), QStringLiteral("Global fit"));
    nameControl(*HeatCapacity, QStringLiteral("HeatCapacity"), QStringLiteral("constant dCp"));
    nameControl(*Run, QStringLiteral("Run"), QStringLiteral("Run"));
    nameControl(*Status, QStringLiteral("Status"), QStringLiteral("Status of the series"));
    nameControl(*Temperatures, QStringLiteral("Temperatures"),
                QStringLiteral("Separate fits per temperature"));
    nameControl(*VantHoff, QStringLiteral("VantHoff"), QStringLiteral("van 't Hoff results"));
    nameControl(*Global, QStringLiteral("Global"), QStringLiteral("Global fit results"));
    nameControl(*VantHoffFigure, QStringLiteral("VantHoffFigure"),
                QStringLiteral("van 't Hoff figure"));
    nameControl(*WaldenFigure, QStringLiteral("WaldenFigure"), QStringLiteral("Walden figure"));
    actions.showQuietly([this] { refreshFromState(); });
}

void SeriesWindowView::refreshFromState() {
    BoundWindow::refreshFromState();
    GlobalFit->setCurrentIndex(static_cast<int>(form_.globalFit));
    Status->setText(QString::fromStdString(form_.status));
    if (drawnRuns_ != form_.runs()) {
        drawFigure(*VantHoffFigure, SeriesFigureKind::VantHoff);
        drawFigure(*WaldenFigure, SeriesFigureKind::Walden);
        drawnRuns_ = form_.runs();
    }
}

void SeriesWindowView::drawFigure(QLabel& label, SeriesFigureKind kind) {
    const BuiltFigure built = form_.figure(kind);
    if (!built.figure) {
        label.setPixmap(QPixmap());
        label.setText(QString::fromStdString(built.refusal));
        return;
    }
    // Drawn as on paper, scaled to the label: the fonts keep their size to the figure.
    const double pixelsPerPoint =
        std::min(label.width() / figureWidthPoints, label.height() / figureHeightPoints);
    QImage image(static_cast<int>(std::lround(figureWidthPoints * pixelsPerPoint)),
                 static_cast<int>(std::lround(figureHeightPoints * pixelsPerPoint)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(pixelsPerPoint * 72 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(pixelsPerPoint, pixelsPerPoint);
        paintFigure(painter, *built.figure, QSizeF(figureWidthPoints, figureHeightPoints));
    }
    label.setPixmap(QPixmap::fromImage(image));
}

}  // namespace condsim::qt
