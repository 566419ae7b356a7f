#pragma once
// Which key presses type characters into a field.

class QKeyEvent;

namespace condsim::qt {

// A key held with Alt or Meta (Ctrl too, or not) that carries text ("f" of Alt+F): it
// types nothing into any field; it belongs to the menu bar or to a shortcut of the
// window. A field refuses Ctrl+letter by itself.
bool isChordWithText(const QKeyEvent& event);

// A key without those modifiers that would put printable characters into the text.
bool typesCharacters(const QKeyEvent& event);

}  // namespace condsim::qt
