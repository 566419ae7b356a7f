#include "desktop/TypedKeys.h"

#include <QKeyEvent>

namespace condsim::qt {

namespace {

constexpr Qt::KeyboardModifiers chordModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
// Ctrl alone is left to the field: it runs its editing keys (copy, paste, undo) and
// never inserts the letter.
constexpr Qt::KeyboardModifiers menuModifiers = Qt::AltModifier | Qt::MetaModifier;

bool hasPrintableText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

bool isChordWithText(const QKeyEvent& event) {
    return (event.modifiers() & menuModifiers) != 0 && hasPrintableText(event);
}

bool typesCharacters(const QKeyEvent& event) {
    return (event.modifiers() & chordModifiers) == 0 && hasPrintableText(event);
}

}  // namespace condsim::qt
