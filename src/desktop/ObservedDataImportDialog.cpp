#include "desktop/ObservedDataImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextBlock>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "desktop/BusyCursor.h"
#include "desktop/CellTableModel.h"

namespace condsim::qt {

namespace {

// The choices of each combo box, in the order shown.
const std::vector<std::pair<QString, ColumnSeparator>> separators = {
    {QStringLiteral("blanks or tabs"), ColumnSeparator::Whitespace},
    {QStringLiteral("comma"), ColumnSeparator::Comma},
    {QStringLiteral("semicolon"), ColumnSeparator::Semicolon},
    {QStringLiteral("tab"), ColumnSeparator::Tab},
};

const std::vector<std::pair<QString, condsim::DecimalComma>> decimalCommaChoices = {
    {QStringLiteral("automatic"), condsim::DecimalComma::Automatic},
    {QStringLiteral("yes"), condsim::DecimalComma::Yes},
    {QStringLiteral("no"), condsim::DecimalComma::No},
};

const std::vector<std::pair<QString, condsim::ConcentrationUnit>> concentrationUnits = {
    {QStringLiteral("mol/L"), condsim::ConcentrationUnit::MolPerLitre},
    {QStringLiteral("mmol/L"), condsim::ConcentrationUnit::MillimolPerLitre},
    {QStringLiteral("mol/kg of solvent"), condsim::ConcentrationUnit::MolPerKilogram},
};

const std::vector<std::pair<QString, condsim::ConductivityUnit>> conductivityUnits = {
    {QStringLiteral("specific conductance, S/cm"), condsim::ConductivityUnit::SiemensPerCentimetre},
    {QStringLiteral("specific conductance, mS/cm"),
     condsim::ConductivityUnit::MillisiemensPerCentimetre},
    {QStringLiteral("specific conductance, uS/cm"),
     condsim::ConductivityUnit::MicrosiemensPerCentimetre},
    {QStringLiteral("specific conductance, S/m"), condsim::ConductivityUnit::SiemensPerMetre},
    {QStringLiteral("molar conductivity, S cm2 mol-1"),
     condsim::ConductivityUnit::MolarConductivity},
    {QStringLiteral("equivalent conductance, S cm2 equiv-1"),
     condsim::ConductivityUnit::EquivalentConductance},
};

template <typename Choice>
QComboBox* comboBox(const std::vector<std::pair<QString, Choice>>& choices, Choice current,
                    QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const auto& [text, choice] : choices) {
        box->addItem(text);
        if (choice == current) box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

template <typename Choice>
Choice chosen(const std::vector<std::pair<QString, Choice>>& choices, const QComboBox& box) {
    return choices.at(static_cast<size_t>(box.currentIndex())).second;
}

QSpinBox* spinBox(int minimum, int maximum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QString numberedLines(const std::vector<std::string>& lines) {
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += QStringLiteral("%1| ").arg(i + 1, 3) + QString::fromStdString(lines[i]) +
                QLatin1Char('\n');
    }
    return text;
}

// The colour of the preview's lines that the import skips.
const QColor skippedLineColor(150, 150, 150);

// Columns and lines beyond any table that fits the observed data.
constexpr int largestColumn = 999;
constexpr int largestSkip = 1000000;

// A row of a form: the caption beside its control, and the caption as the control's name,
// so that a screen reader announces "Separator", not the value the box shows.
void addLabelledRow(QFormLayout& form, const QString& caption, QWidget* control) {
    form.addRow(caption, control);
    control->setAccessibleName(caption);
}

}  // namespace

ObservedDataImportDialog::ObservedDataImportDialog(ObservedDataImport& import, QWidget* parent)
    : QDialog(parent), import_(import) {
    setWindowTitle(QStringLiteral("Import Observed Data"));
    auto* layout = new QVBoxLayout(this);

    auto* file =
        new QLabel(QStringLiteral("File: ") + QString::fromStdString(import.fileName()), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(file);
    layout->addWidget(
        new QLabel(QStringLiteral("First lines of the file (the lines skipped are grey)"), this));
    Preview = new QPlainTextEdit(numberedLines(import.previewLines()), this);
    Preview->setReadOnly(true);
    Preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    Preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Preview->setAccessibleName(QStringLiteral("First lines of the file"));
    layout->addWidget(Preview, 1);

    auto* columns = new QHBoxLayout;
    auto* layoutForm = new QFormLayout;
    Separator = comboBox(separators, import.separator, this);
    addLabelledRow(*layoutForm, QStringLiteral("Separator (guessed)"), Separator);
    SkippedLines = spinBox(0, largestSkip, import.skippedLines, this);
    addLabelledRow(*layoutForm, QStringLiteral("Lines to skip (guessed)"), SkippedLines);
    DecimalCommaChoice = comboBox(decimalCommaChoices, import.decimalComma, this);
    addLabelledRow(*layoutForm, QStringLiteral("Decimal commas"), DecimalCommaChoice);
    DecimalCommasInEffect = new QLabel(this);
    layoutForm->addRow(DecimalCommasInEffect);
    ConcentrationColumn = spinBox(1, largestColumn, import.concentrationColumn, this);
    addLabelledRow(*layoutForm, QStringLiteral("Concentration in column"), ConcentrationColumn);
    ConductivityColumn = spinBox(1, largestColumn, import.conductivityColumn, this);
    addLabelledRow(*layoutForm, QStringLiteral("Conductivity in column"), ConductivityColumn);
    columns->addLayout(layoutForm);

    auto* unitForm = new QFormLayout;
    ConcentrationUnitChoice = comboBox(concentrationUnits, import.concentrationUnit, this);
    addLabelledRow(*unitForm, QStringLiteral("Concentration unit"), ConcentrationUnitChoice);
    Density = new QLineEdit(QString::fromStdString(import.density.text()), this);
    addLabelledRow(*unitForm, QStringLiteral("Solvent density (kg/L)"), Density);
    auto* densityNote = new QLabel(
        QStringLiteral(
            "mol/kg becomes mol/L as c = m x density: the dilute-solution approximation, "
            "which neglects the solute's volume. 0.997047 kg/L is water at 25 C."),
        this);
    densityNote->setWordWrap(true);
    unitForm->addRow(densityNote);
    ConductivityUnitChoice = comboBox(conductivityUnits, import.conductivityUnit, this);
    addLabelledRow(*unitForm, QStringLiteral("Conductivity"), ConductivityUnitChoice);
    Equivalents =
        new QLabel(QStringLiteral("Equivalents per formula unit: n = %1, the current system (AX n)")
                       .arg(import.equivalentsPerFormulaUnit()),
                   this);
    unitForm->addRow(Equivalents);
    columns->addLayout(unitForm);
    layout->addLayout(columns);

    layout->addWidget(new QLabel(QStringLiteral("Pairs as they will be loaded"), this));
    Converted = new QTableView(this);
    convertedModel_ = new CellTableModel(import.converted, this);
    Converted->setModel(convertedModel_);
    // Whole numbers on one line each: the columns are as wide as their texts and header,
    // and the last takes what the table has left.
    Converted->setWordWrap(false);
    Converted->setTextElideMode(Qt::ElideNone);
    Converted->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Converted->horizontalHeader()->setStretchLastSection(true);
    Converted->setAccessibleName(QStringLiteral("Pairs as they will be loaded"));
    layout->addWidget(Converted, 1);
    Refusal = new QLabel(this);
    Refusal->setWordWrap(true);
    Refusal->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Refusal->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    layout->addWidget(Refusal);

    SaveAfterLoading = new QCheckBox(
        QStringLiteral("Then save the pairs as an observed-data file for File/Open"), this);
    SaveAfterLoading->setChecked(import.saveAfterLoading);
    layout->addWidget(SaveAfterLoading);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (QComboBox* box :
         {Separator, DecimalCommaChoice, ConcentrationUnitChoice, ConductivityUnitChoice}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { settingsChanged(); });
    }
    for (QSpinBox* box : {SkippedLines, ConcentrationColumn, ConductivityColumn}) {
        connect(box, &QSpinBox::valueChanged, this, [this] { settingsChanged(); });
    }
    connect(Density, &QLineEdit::textEdited, this, [this] { settingsChanged(); });
    connect(SaveAfterLoading, &QCheckBox::toggled, this,
            [this](bool on) { import_.saveAfterLoading = on; });
    showState();
    resize(900, 760);
}

bool ObservedDataImportDialog::ask(ObservedDataImport& import, QWidget* parent) {
    ObservedDataImportDialog dialog(import, parent);
    const ArrowCursorWhileOpen arrow;
    return dialog.exec() == QDialog::Accepted;
}

void ObservedDataImportDialog::run(TForm1& form, QWidget* parent) {
    importObservedData(form, [parent](ObservedDataImport& import) { return ask(import, parent); });
}

void ObservedDataImportDialog::settingsChanged() {
    import_.separator = chosen(separators, *Separator);
    import_.skippedLines = SkippedLines->value();
    import_.decimalComma = chosen(decimalCommaChoices, *DecimalCommaChoice);
    import_.concentrationColumn = ConcentrationColumn->value();
    import_.conductivityColumn = ConductivityColumn->value();
    import_.concentrationUnit = chosen(concentrationUnits, *ConcentrationUnitChoice);
    import_.density.setText(Density->text().toStdString());
    import_.conductivityUnit = chosen(conductivityUnits, *ConductivityUnitChoice);
    import_.SettingsChange();
    showState();
}

void ObservedDataImportDialog::showState() {
    convertedModel_->refreshFromTable();
    Density->setEnabled(import_.concentrationUnit == condsim::ConcentrationUnit::MolPerKilogram);
    Equivalents->setEnabled(import_.conductivityUnit ==
                            condsim::ConductivityUnit::EquivalentConductance);
    showSkippedLines();
    DecimalCommasInEffect->setText(
        (import_.decimalCommasInEffect() ? QStringLiteral("In effect: yes, 0,5 is read as 0.5")
                                         : QStringLiteral("In effect: no, 0.5 with a period")) +
        (import_.decimalComma == condsim::DecimalComma::Automatic ? QStringLiteral(" (guessed)")
                                                                  : QString()));
    Refusal->setText(QString::fromStdString(import_.refusal));
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(import_.refusal.empty());
}

void ObservedDataImportDialog::showSkippedLines() {
    // A first data row taken for a header is seen at once: it turns grey with the header.
    QList<QTextEdit::ExtraSelection> skipped;
    QTextBlock block = Preview->document()->firstBlock();
    for (int line = 0; block.isValid() && line < import_.skippedLines;
         ++line, block = block.next()) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(block);
        selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        selection.format.setForeground(skippedLineColor);
        skipped.append(selection);
    }
    Preview->setExtraSelections(skipped);
}

}  // namespace condsim::qt
