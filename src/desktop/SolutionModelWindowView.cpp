#include "desktop/SolutionModelWindowView.h"

#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

#include "desktop/CheckBoxWidget.h"
#include "desktop/EditFieldWidget.h"

namespace condsim::qt {

namespace {

// The models in the order of the choice.
constexpr SolutionModelKind models[] = {SolutionModelKind::Ideal, SolutionModelKind::DebyeHuckel,
                                        SolutionModelKind::Davies};

int indexOf(SolutionModelKind kind) {
    for (int i = 0; i < 3; ++i) {
        if (models[i] == kind) return i;
    }
    return 0;
}

}  // namespace

const QString SolutionModelWindowView::caption = QStringLiteral("Solution Model");

SolutionModelWindowView::SolutionModelWindowView(SolutionModelWindow& form, UserActions& actions,
                                                 const DesignScale& scale)
    : BoundWindow(form.window, actions, scale, caption, {200, 150, 620, 368}), form_(form) {
    // A screen reader on Linux names a combo box by its value; the caption beside it is
    // its label (the labelled-by relation).
    QLabel* modelCaption = addLabel(nullptr, QStringLiteral("Model"), {16, 16, 150, 22});
    Model = new QComboBox(&client());
    modelCaption->setBuddy(Model);
    for (const SolutionModelKind kind : models)
        Model->addItem(QString::fromStdString(solutionModelKindName(kind)));
    scale.place(*Model, 180, 14, 400, 26);
    connect(Model, &QComboBox::activated, this, [this, &actions](int index) {
        actions.run([this, index] { form_.Model = models[index]; });
    });

    addLabel(nullptr, QStringLiteral("Ion size a (Angstrom)"), {16, 56, 160, 22});
    IonSize = addEditField(nullptr, form.IonSize, {180, 54, 100, 24});
    BjerrumIonSize = addCheckBox(nullptr, form.BjerrumIonSize, {300, 56, 300, 22});
    BjerrumIonSize->setText(QStringLiteral("Bjerrum's distance q for this n"));
    connect(BjerrumIonSize, &QCheckBox::toggled, this, [this, &actions] {
        if (actions.refreshing()) return;
        actions.run([this] { form_.ValuesChange(); });
    });

    QLabel* solventCaption = addLabel(nullptr, QStringLiteral("Solvent"), {16, 96, 150, 22});
    Solvent = new QComboBox(&client());
    solventCaption->setBuddy(Solvent);
    for (const std::string& name : SolutionModelWindow::solventChoices())
        Solvent->addItem(QString::fromStdString(name));
    scale.place(*Solvent, 180, 94, 200, 26);
    connect(Solvent, &QComboBox::activated, this, [this, &actions](int index) {
        actions.run([this, index] {
            form_.SolventChoice = index;
            form_.SolventChange();
        });
    });

    addLabel(nullptr, QStringLiteral("T (K)"), {16, 136, 60, 22});
    Temperature = addEditField(nullptr, form.Temperature, {80, 134, 100, 24});
    addLabel(nullptr, QStringLiteral("eps_r"), {200, 136, 60, 22});
    Permittivity = addEditField(nullptr, form.Permittivity, {260, 134, 100, 24});
    addLabel(nullptr, QStringLiteral("eta (mPa s)"), {380, 136, 100, 22});
    Viscosity = addEditField(nullptr, form.Viscosity, {480, 134, 100, 24});
    // The coefficients follow the values as they are typed (after the field took its text).
    for (EditFieldWidget* field : {Temperature, Permittivity, Viscosity}) {
        connect(field, &QLineEdit::textChanged, this, [this, &actions] {
            if (actions.refreshing()) return;
            actions.run([this] { form_.ValuesChange(); });
        });
    }

    // Four coefficients of 15 digits each: on two lines where one is too narrow.
    Coefficients = addLabel(nullptr, {}, {16, 174, 590, 44}, 16);
    Coefficients->setWordWrap(true);
    Coefficients->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Coefficients->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addLabel(
        nullptr,
        QStringLiteral("The constants are thermodynamic (I = 0) in the ionic-strength models."),
        {16, 224, 590, 22}, 15);
    // Water follows a typed temperature; the other presets hold at 25 C only.
    // On two lines where one is too narrow: placed empty, so that it keeps its width.
    Temperatures = addLabel(nullptr, {}, {16, 248, 590, 44}, 15);
    Temperatures->setWordWrap(true);
    Temperatures->setText(QString::fromStdString(SolutionModelWindow::solventTemperaturesLine()));

    OK = addButton(nullptr, QStringLiteral("OK"), {380, 300, 96, 30}, [&form] { form.OKClick(); });
    Cancel = addButton(nullptr, QStringLiteral("Cancel"), {486, 300, 96, 30},
                       [&form] { form.CancelClick(); });

    setFocusOrder({Model, IonSize, BjerrumIonSize, Solvent, Temperature, Permittivity, Viscosity,
                   OK, Cancel});

    // As in a dialog: Return (or Enter) anywhere in the window presses OK, the default
    // button, unless the focus is on Cancel; Escape presses Cancel.
    OK->setDefault(true);
    const auto pressDefault = [this] { (focusWidget() == Cancel ? Cancel : OK)->click(); };
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, pressDefault);
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Cancel,
            &QPushButton::click);

    nameControl(*Model, QStringLiteral("Model"), QStringLiteral("Model"));
    nameControl(*IonSize, QStringLiteral("IonSize"), QStringLiteral("Ion size a (Angstrom)"));
    nameControl(*BjerrumIonSize, QStringLiteral("BjerrumIonSize"),
                QStringLiteral("Bjerrum's distance q for this n"));
    nameControl(*Solvent, QStringLiteral("Solvent"), QStringLiteral("Solvent"));
    nameControl(*Temperature, QStringLiteral("Temperature"), QStringLiteral("T (K)"));
    nameControl(*Permittivity, QStringLiteral("Permittivity"), QStringLiteral("eps_r"));
    nameControl(*Viscosity, QStringLiteral("Viscosity"), QStringLiteral("eta (mPa s)"));
    nameControl(*Coefficients, QStringLiteral("Coefficients"),
                QStringLiteral("Coefficients of the solvent"));
    nameControl(*Temperatures, QStringLiteral("Temperatures"),
                QStringLiteral("Temperatures each solvent allows"));
    nameControl(*OK, QStringLiteral("OK"), QStringLiteral("OK"));
    nameControl(*Cancel, QStringLiteral("Cancel"), QStringLiteral("Cancel"));
}

void SolutionModelWindowView::refreshFromState() {
    BoundWindow::refreshFromState();
    const QSignalBlocker modelBlocker(Model);
    const QSignalBlocker solventBlocker(Solvent);
    Model->setCurrentIndex(indexOf(form_.Model));
    Solvent->setCurrentIndex(form_.SolventChoice);
    // A preset's values are shown, not typed; water's temperature is typed.
    const bool other = form_.SolventChoice == form_.otherSolventChoice();
    for (EditFieldWidget* field : {Permittivity, Viscosity}) field->setReadOnly(!other);
    Temperature->setReadOnly(!form_.temperatureTyped());
    // Bjerrum's distance takes the place of a typed ion size.
    IonSize->setReadOnly(form_.BjerrumIonSize.checked());
    // A coefficient's name stays on the line of its value ("R =" and its number are bound
    // by no-break spaces), and a screen reader reads the values with the name.
    QString coefficients = QString::fromStdString(form_.Coefficients.text());
    coefficients.replace(QStringLiteral(" = "), QStringLiteral("\u00a0=\u00a0"));
    Coefficients->setText(coefficients);
    Coefficients->setAccessibleName(QStringLiteral("Coefficients of the solvent: ") +
                                    QString::fromStdString(form_.Coefficients.text()));
}

}  // namespace condsim::qt
