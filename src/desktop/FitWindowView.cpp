#include "desktop/FitWindowView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/CellTableView.h"
#include "desktop/FitProgress.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

namespace {

// The residual picture's place; the axis labels stand around it.
constexpr DesignRect plotPlace{110, 424, FitWindow::plotDesignWidth, FitWindow::plotDesignHeight};

// The parameter group and, below it, the status: the group takes the lines the status
// does not need (shareParameterAndStatusSpace).
constexpr DesignRect parameterPlace{10, 8, 740, 122};
constexpr DesignRect statusPlace{10, 136, 1220, 90};

QLabel* wrappedLabel(QWidget& parent, const DesignScale& scale, DesignRect place) {
    auto* label = new QLabel(&parent);
    label->setFont(scale.captionFont(17));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scale.place(*label, place.left, place.top, place.width, place.height);
    return label;
}

}  // namespace

const QString FitWindowView::caption = QStringLiteral("Fitting the Constants to the Observed Data");

FitWindowView::FitWindowView(FitWindow& form, UserActions& actions, const DesignScale& scale)
    : BoundWindow(form.window, actions, scale, caption, {80, 60, 1250, 820}), form_(form) {
    ExportFigure1 =
        menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Export Figure..."));
    // The parameter check boxes stand in a grid of as many columns as their width allows;
    // the grid keeps every row at its natural height and scrolls when n asks for more
    // rows than the group and the status line's unused lines show (K2..K30 at n = 30).
    QGroupBox* parameters = addGroupBox(QStringLiteral("Parameters to fit"), parameterPlace);
    parameterGroup_ = parameters;
    auto* frame = new QVBoxLayout(parameters);
    frame->setContentsMargins(scale(6), scale(2), scale(6), scale(4));
    parameterArea_ = new QScrollArea(parameters);
    parameterArea_->setFrameShape(QFrame::NoFrame);
    // Tab goes to the boxes themselves, not to the area that scrolls them.
    parameterArea_->setFocusPolicy(Qt::NoFocus);
    parameterArea_->setWidgetResizable(true);
    parameterArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    parameterArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    frame->addWidget(parameterArea_);
    auto* grid = new QWidget(parameterArea_);
    parameterGrid_ = new QGridLayout(grid);
    parameterGrid_->setContentsMargins(scale(6), scale(2), scale(6), scale(2));
    parameterGrid_->setHorizontalSpacing(scale(10));
    parameterGrid_->setVerticalSpacing(scale(2));
    parameterGrid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    parameterArea_->setWidget(grid);
    rebuildParameterBoxes();

    Run = addButton(nullptr, QStringLiteral("Run"), {770, 16, 160, 32}, [this, &form] {
        const FitProgress shown(*this, form, QStringLiteral("Fitting"), progressDelayMilliseconds);
        form.RunClick();
    });
    Apply = addButton(nullptr, QStringLiteral("Apply"), {770, 58, 160, 32},
                      [&form] { form.ApplyClick(); });
    addLabel(nullptr, QStringLiteral("Apply writes the fitted values into the main window."),
             {770, 98, 460, 20}, 15);
    QLabel* weightsCaption = addLabel(nullptr, QStringLiteral("Residuals"), {950, 20, 90, 20});
    Weights = new QComboBox(&client());
    weightsCaption->setBuddy(Weights);  // its label for a screen reader, which names it by value
    Weights->addItems({QStringLiteral("absolute"), QStringLiteral("relative")});
    Weights->setFont(scale.defaultFont());
    scale.place(*Weights, 1040, 16, 150, 28);
    connect(Weights, &QComboBox::activated, this, [this, &form](int index) {
        if (this->actions().refreshing()) return;
        this->actions().run([&form, index] {
            form.weighting = index == 1 ? FitWeighting::Relative : FitWeighting::Absolute;
        });
    });

    Status = wrappedLabel(client(), scale, statusPlace);

    addLabel(nullptr, QStringLiteral("Fitted values"), {10, 230, 200, 20});
    Values = addTable(form.values, {10, 254, 740, 136}, {96, 160, 160, 160, 160, 160, 160});
    addLabel(nullptr, QStringLiteral("Correlation"), {770, 230, 200, 20});
    Correlation = addTable(form.correlation, {770, 254, 460, 136}, {96}, 172);

    addLabel(nullptr,
             QStringLiteral("Residual (calculated - observed conductivity) against C0 (M)"),
             {plotPlace.left, 398, 600, 20});
    ResidualPlot = addPicture(form.residualPlot, plotPlace);
    const int plotBottom = plotPlace.top + plotPlace.height;
    residualYMaximum_ = addAxisLabel({0, plotPlace.top, 104, 20}, Qt::AlignRight);
    residualZero_ =
        addAxisLabel({0, plotPlace.top + plotPlace.height / 2 - 10, 104, 20}, Qt::AlignRight);
    residualYMinimum_ = addAxisLabel({0, plotBottom - 20, 104, 20}, Qt::AlignRight);
    residualXMinimum_ = addAxisLabel({plotPlace.left, plotBottom + 4, 200, 20}, Qt::AlignLeft);
    residualXMaximum_ = addAxisLabel(
        {plotPlace.left + plotPlace.width - 200, plotBottom + 4, 200, 20}, Qt::AlignRight);

    addLabel(nullptr, QStringLiteral("n from"), {770, 400, 56, 20});
    FromN = addSpinField(nullptr, form.fromN, {830, 398, 57, 24});
    addLabel(nullptr, QStringLiteral("to"), {898, 400, 20, 20});
    ToN = addSpinField(nullptr, form.toN, {922, 398, 57, 24});
    Compare = addButton(nullptr, QStringLiteral("Compare n"), {1000, 396, 130, 28}, [this, &form] {
        const FitProgress shown(*this, form, QStringLiteral("Comparing n"),
                                progressDelayMilliseconds);
        form.CompareClick();
    });
    Comparison = addTable(form.comparison, {770, 434, 460, 190}, {34, 184, 160, 66});
    addLabel(nullptr, QStringLiteral("The lowest AIC marks the n the data favour."),
             {770, 628, 460, 20}, 15);
    ComparisonStatus = wrappedLabel(client(), scale, {770, 652, 460, 120});

    // The parameter boxes first, row by row, then top to bottom and left to right.
    setFocusOrder(
        {parameters, Run, Apply, Weights, Values, Correlation, FromN, ToN, Compare, Comparison});

    nameControl(*parameters, QStringLiteral("Parameters"), QStringLiteral("Parameters to fit"));
    nameControl(*Run, QStringLiteral("Run"), QStringLiteral("Run"));
    nameControl(*Apply, QStringLiteral("Apply"), QStringLiteral("Apply"));
    nameControl(*Weights, QStringLiteral("Weights"), QStringLiteral("Weights"));
    nameControl(*Status, QStringLiteral("Status"), QStringLiteral("Status of the fit"));
    nameControl(*Values, QStringLiteral("Values"), QStringLiteral("Fitted values"));
    nameControl(*Correlation, QStringLiteral("Correlation"), QStringLiteral("Correlation"));
    nameControl(*ResidualPlot, QStringLiteral("ResidualPlot"), QStringLiteral("Residual plot"));
    nameControl(*FromN, QStringLiteral("FromN"), QStringLiteral("n from"));
    nameControl(*ToN, QStringLiteral("ToN"), QStringLiteral("to"));
    nameControl(*Compare, QStringLiteral("Compare"), QStringLiteral("Compare n"));
    nameControl(*Comparison, QStringLiteral("Comparison"), QStringLiteral("Comparison of n"));
    nameControl(*ComparisonStatus, QStringLiteral("ComparisonStatus"),
                QStringLiteral("Status of the comparison"));
    actions.showQuietly([this] { refreshFromState(); });
}

QLabel* FitWindowView::addAxisLabel(DesignRect place, Qt::Alignment alignment) {
    auto* label = new QLabel(&client());
    label->setFont(scale().defaultFont());
    label->setAlignment(alignment | Qt::AlignVCenter);
    scale().place(*label, place.left, place.top, place.width, place.height);
    return label;
}

QCheckBox* FitWindowView::parameterBox(const QString& name) const {
    for (QCheckBox* box : parameterBoxes_)
        if (box->text() == name) return box;
    return nullptr;
}

void FitWindowView::rebuildParameterBoxes() {
    for (QCheckBox* box : parameterBoxes_) delete box;
    parameterBoxes_.clear();
    shownParameters_ = form_.offered();
    for (const FitParameter& parameter : shownParameters_) {
        auto* box = new QCheckBox(QString::fromStdString(fitParameterName(parameter)));
        box->setFont(scale().captionFont(17));
        // The change of state, whether by mouse, keyboard or accessibility.
        connect(box, &QCheckBox::toggled, this, [this, box, parameter](bool checked) {
            if (actions().refreshing()) return;
            actions().run([this, parameter, checked] { form_.choose(parameter, checked); },
                          [this, box, parameter] { box->setChecked(form_.isChosen(parameter)); });
        });
        // A box reached by Tab is scrolled into view.
        box->installEventFilter(this);
        parameterBoxes_.push_back(box);
    }
    placeParameterBoxes();
}

void FitWindowView::placeParameterBoxes() {
    // As many equal columns as the widest box allows beside the scroll bar; the group's
    // layout gives the scroll area its width first.
    parameterArea_->parentWidget()->layout()->activate();
    int widest = 1;
    for (const QCheckBox* box : parameterBoxes_) widest = std::max(widest, box->sizeHint().width());
    const QMargins margins = parameterGrid_->contentsMargins();
    const int scrollBar = parameterArea_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int available = parameterArea_->width() - scrollBar - margins.left() - margins.right();
    const int spacing = parameterGrid_->horizontalSpacing();
    const int columns = std::max(1, (available + spacing) / (widest + spacing));
    int tallest = 1;
    for (size_t place = 0; place < parameterBoxes_.size(); ++place) {
        const int at = static_cast<int>(place);
        parameterGrid_->addWidget(parameterBoxes_[place], at / columns, at % columns);
        tallest = std::max(tallest, parameterBoxes_[place]->sizeHint().height());
    }
    // The height the rows ask for, counted here: boxes just added are shown only when the
    // event loop next runs, and until then the grid's own size hint leaves them out.
    const int count = static_cast<int>(parameterBoxes_.size());
    const int rows = (count + columns - 1) / columns;
    parameterGridHeight_ = margins.top() + margins.bottom() + rows * tallest +
                           std::max(0, rows - 1) * parameterGrid_->verticalSpacing();
}

void FitWindowView::shareParameterAndStatusSpace() {
    // The group grows from its design height into the lines the status leaves empty, so
    // that the boxes of a large n show without scrolling where there is room for them.
    const DesignScale& s = scale();
    const int top = s(parameterPlace.top);
    const int gap = s(statusPlace.top - parameterPlace.top - parameterPlace.height);
    const int bottom = s(statusPlace.top + statusPlace.height);
    const int designHeight = s(parameterPlace.height);
    const QMargins inside = parameterGroup_->layout()->contentsMargins();
    const int frame = parameterGroup_->height() - parameterGroup_->contentsRect().height() +
                      inside.top() + inside.bottom();
    const int wanted = frame + parameterGridHeight_;
    const int statusNeeds =
        Status->text().isEmpty() ? 0 : Status->heightForWidth(Status->width()) + gap;
    const int height = std::max(designHeight, std::min(wanted, bottom - top - statusNeeds));
    parameterGroup_->setGeometry(s(parameterPlace.left), top, s(parameterPlace.width), height);
    parameterGroup_->layout()->activate();
    const int statusTop = top + height + gap;
    Status->setGeometry(s(statusPlace.left), statusTop, s(statusPlace.width),
                        std::max(0, bottom - statusTop));
}

bool FitWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QCheckBox*>(watched)) parameterArea_->ensureWidgetVisible(box);
    return BoundWindow::eventFilter(watched, event);
}

void FitWindowView::refreshFromState() {
    if (form_.offered() != shownParameters_) rebuildParameterBoxes();
    for (size_t j = 0; j < parameterBoxes_.size(); ++j) {
        const bool chosen = form_.isChosen(shownParameters_[j]);
        if (parameterBoxes_[j]->isChecked() != chosen) parameterBoxes_[j]->setChecked(chosen);
    }
    Apply->setEnabled(form_.canApply());
    Weights->setCurrentIndex(form_.weighting == FitWeighting::Relative ? 1 : 0);
    Status->setText(QString::fromStdString(form_.status));
    shareParameterAndStatusSpace();
    ComparisonStatus->setText(QString::fromStdString(form_.comparisonStatus));
    const bool drawn = !form_.residualYLimit.empty();
    residualYMaximum_->setText(drawn ? QString::fromStdString(form_.residualYLimit) : QString());
    residualZero_->setText(drawn ? QStringLiteral("0") : QString());
    residualYMinimum_->setText(
        drawn ? QStringLiteral("-") + QString::fromStdString(form_.residualYLimit) : QString());
    residualXMinimum_->setText(QString::fromStdString(form_.residualXMinimum));
    residualXMaximum_->setText(QString::fromStdString(form_.residualXMaximum));
    BoundWindow::refreshFromState();
}

}  // namespace condsim::qt
