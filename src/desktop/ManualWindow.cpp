#include "desktop/ManualWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

namespace condsim::qt {

namespace {

constexpr int initialWidth = 900;
constexpr int initialHeight = 760;

QPushButton* button(const QString& text, const QString& spoken, QWidget* parent) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setAccessibleName(spoken);
    pushButton->setAutoDefault(false);
    return pushButton;
}

}  // namespace

ManualWindow::ManualWindow(const QString& manual, QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      search_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("condsim manual"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    browser_->setAccessibleName(QStringLiteral("Manual"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);  // the web in the user's browser
    browser_->setSource(QUrl::fromLocalFile(manual), QTextDocument::MarkdownResource);

    auto* back = button(QStringLiteral("&Back"), QStringLiteral("Back to the page before"), this);
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    auto* contents =
        button(QStringLiteral("&Contents"), QStringLiteral("The manual's first page"), this);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);

    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    findLabel->setBuddy(search_);
    search_->setAccessibleName(QStringLiteral("Find in the manual"));
    search_->setPlaceholderText(
        QStringLiteral("text to find (Enter: next, Shift+Enter: previous)"));
    search_->setClearButtonEnabled(true);
    auto* previous =
        button(QStringLiteral("&Previous"), QStringLiteral("Find the previous match"), this);
    auto* next = button(QStringLiteral("&Next"), QStringLiteral("Find the next match"), this);
    status_->setAccessibleName(QStringLiteral("Search result"));

    connect(search_, &QLineEdit::returnPressed, this, [this] {
        find(search_->text(), QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    connect(next, &QPushButton::clicked, this, [this] { find(search_->text()); });
    connect(previous, &QPushButton::clicked, this, [this] { find(search_->text(), true); });
    auto* focusSearch = new QShortcut(QKeySequence::Find, this);
    connect(focusSearch, &QShortcut::activated, this, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(contents);
    bar->addSpacing(16);
    bar->addWidget(findLabel);
    bar->addWidget(search_, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(status_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    setTabOrder(search_, browser_);
    resize(initialWidth, initialHeight);
}

QString ManualWindow::searchStatus() const { return status_->text(); }

bool ManualWindow::find(const QString& text, bool backward) {
    status_->clear();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) return true;
    // Wrap: once more from the other end of the page.
    const QTextCursor kept = browser_->textCursor();
    QTextCursor fromEnd = kept;
    fromEnd.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(fromEnd);
    if (browser_->find(text, flags)) return true;
    browser_->setTextCursor(kept);
    status_->setText(QStringLiteral("\"%1\" is not in this page").arg(text));
    return false;
}

}  // namespace condsim::qt
