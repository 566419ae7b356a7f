// The session in the desktop program: File/Save Session and File/Open Session through the
// menus, the title that names the session and marks unsaved changes, the recent files,
// the question on closing with unsaved changes, and Edit/Copy as Command.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/MainWindowView.h"
#include "desktop/SeriesWindowView.h"

using condsim::qt::MainWindowView;
using Answer = condsim::qt::QtPlatform::UnsavedChanges;

namespace {

QString example(const char* name) {
    return QStringLiteral(CONDSIM_EXAMPLES_DIR "/") + QLatin1String(name);
}

}  // namespace

class SessionMenusTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("condsim"),
                  QStringLiteral("condsim"))
            .clear();
        session_ = std::make_unique<RecordingDesktop>();
    }
    void cleanup() { session_.reset(); }

    void savedSessionOpensAgainAndTheTitleFollows();
    void closingWithUnsavedChangesAsks_data();
    void closingWithUnsavedChangesAsks();
    void copyAsCommandPutsTheCommandOnTheClipboard();
    void theTemperatureSeriesIsPartOfTheSession();

  private:
    MainWindowView& main() { return session_->desktop().mainWindow(); }
    void openExampleData() {
        session_->platform().openAnswer = example("observed-6to1-salt.txt").toStdString();
        session_->desktop().actions().run(
            [this] { session_->desktop().application().Form1.Open1Click(); });
    }
    std::unique_ptr<RecordingDesktop> session_;
};

void SessionMenusTest::savedSessionOpensAgainAndTheTitleFollows() {
    QCOMPARE(main().windowTitle(), MainWindowView::caption);
    QVERIFY(!main().RecentFiles1->menuAction()->isEnabled());
    openExampleData();
    QCOMPARE(main().windowTitle(), QStringLiteral("* ") + MainWindowView::caption);

    const QString file = session_->filePath(QStringLiteral("work.condsim"));
    session_->platform().saveAnswer = file.toStdString();
    QCOMPARE(main().SaveSession1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    main().SaveSession1->trigger();
    QTRY_VERIFY(QFile::exists(file));
    QCOMPARE(session_->platform().proposedSaveName, std::string("observed-6to1-salt.condsim"));
    QCOMPARE(main().windowTitle(), QStringLiteral("work.condsim - ") + MainWindowView::caption);

    auto& form = session_->desktop().application().Form1;
    session_->desktop().actions().run([&] { form.MCA.setText("70"); });
    QCOMPARE(main().windowTitle(), QStringLiteral("work.condsim* - ") + MainWindowView::caption);

    session_->platform().openAnswer = file.toStdString();
    main().OpenSession1->trigger();
    QTRY_COMPARE(form.MCA.text(), std::string("88"));
    QCOMPARE(main().windowTitle(), QStringLiteral("work.condsim - ") + MainWindowView::caption);

    // Newest first: the session, then the data file; their items name the whole file.
    const QList<QAction*> recent = main().RecentFiles1->actions();
    QCOMPARE(recent.size(), 2);
    QCOMPARE(recent[0]->text(), QStringLiteral("&1 ") + file);
    QCOMPARE(recent[1]->text(), QStringLiteral("&2 ") + example("observed-6to1-salt.txt"));
    // A recent data file opens as File/Open opens it.
    session_->desktop().actions().run([&] { form.MCA.setText("70"); });
    recent[1]->trigger();
    QTRY_COMPARE(session_->desktop().application().state.observed.count, 12);
}

void SessionMenusTest::closingWithUnsavedChangesAsks_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saveDialogAnswers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("nothing changed") << false << Answer::Cancel << false << true << false;
    QTest::newRow("discard") << true << Answer::Discard << false << true << false;
    QTest::newRow("cancel") << true << Answer::Cancel << true << false << false;
    QTest::newRow("save") << true << Answer::Save << true << true << true;
    QTest::newRow("save, dialog cancelled") << true << Answer::Save << false << false << false;
}

void SessionMenusTest::closingWithUnsavedChangesAsks() {
    QFETCH(bool, changed);
    QFETCH(Answer, answer);
    QFETCH(bool, saveDialogAnswers);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    if (changed) openExampleData();
    const QString file = session_->filePath(QStringLiteral("closing.condsim"));
    session_->platform().unsavedAnswer = answer;
    if (saveDialogAnswers) session_->platform().saveAnswer = file.toStdString();
    QCOMPARE(main().close(), closes);
    QCOMPARE(session_->platform().questions.size(), changed ? size_t{1} : size_t{0});
    QCOMPARE(QFile::exists(file), written);
}

void SessionMenusTest::copyAsCommandPutsTheCommandOnTheClipboard() {
    openExampleData();
    QMenu* edit = nullptr;
    for (QAction* item : main().menuBar()->actions())
        if (item->text() == QStringLiteral("Edit")) edit = item->menu();
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->actions().first(), main().CopyAsCommand1);
    main().CopyAsCommand1->trigger();
    QCOMPARE(session_->platform().clipboard,
             "condsim-batch --data " + example("observed-6to1-salt.txt").toStdString() +
                 " --n 6 --beta1 10000 --alfa 20 --model1 on --mca 88 --mcx 59 --points 200 "
                 "--scale 300");
}

// A change of the series' list marks the session changed; opening the session gives the
// window its list again, and the view shows it.
void SessionMenusTest::theTemperatureSeriesIsPartOfTheSession() {
    condsim::SeriesWindow& series = session_->desktop().seriesForm();
    session_->platform().openAnswer = example("series-cacl2/series.txt").toStdString();
    session_->desktop().actions().run([&] { series.ImportClick(); });
    QCOMPARE(main().windowTitle(), QStringLiteral("* ") + MainWindowView::caption);
    const QString file = session_->filePath(QStringLiteral("series.condsim"));
    session_->platform().saveAnswer = file.toStdString();
    main().SaveSession1->trigger();
    QTRY_VERIFY(QFile::exists(file));
    QCOMPARE(main().windowTitle(), QStringLiteral("series.condsim - ") + MainWindowView::caption);

    session_->desktop().actions().run([&] {
        series.sets.select(0, 1);
        series.RemoveClick();
        series.globalFit = condsim::SeriesGlobalFit::Walden;
    });
    QCOMPARE(series.sets.rowCount(), 5);
    QCOMPARE(main().windowTitle(), QStringLiteral("series.condsim* - ") + MainWindowView::caption);

    session_->platform().openAnswer = file.toStdString();
    main().OpenSession1->trigger();
    QTRY_COMPARE(series.sets.rowCount(), 6);
    QCOMPARE(series.globalFit, condsim::SeriesGlobalFit::Free);
    // The view shows the five data sets under its header row.
    QCOMPARE(session_->desktop().seriesWindow().Sets->model()->rowCount(), 5);
    QCOMPARE(session_->desktop().seriesWindow().GlobalFit->currentIndex(),
             static_cast<int>(condsim::SeriesGlobalFit::Free));
    QCOMPARE(main().windowTitle(), QStringLiteral("series.condsim - ") + MainWindowView::caption);
}

QTEST_MAIN(SessionMenusTest)
#include "SessionMenusTest.moc"
