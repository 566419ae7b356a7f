#pragma once
// The manual inside the program: the README and the pages it links to, rendered from their
// Markdown by Qt with their pictures. Links between the pages are followed in the window
// (Back returns), links to the web open in the browser, and a search field finds text in
// the page shown (Ctrl+F; Enter finds the next match, Shift+Enter the one before, and the
// search wraps at the end of the page).

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace condsim::qt {

class ManualWindow : public QWidget {
    Q_OBJECT

  public:
    // Shows the Markdown file manual; parent owns the window (it stays a window of its own).
    ManualWindow(const QString& manual, QWidget* parent);

    QTextBrowser& browser() { return *browser_; }
    QLineEdit& searchField() { return *search_; }
    // What the search said last: empty, or that the text is not in the page.
    QString searchStatus() const;

    // Selects the next (or, backward, the previous) place of text in the page, from the
    // selection on and wrapping at the end; false when the page does not hold it.
    bool find(const QString& text, bool backward = false);

  private:
    QTextBrowser* browser_;
    QLineEdit* search_;
    QLabel* status_;
};

}  // namespace condsim::qt
