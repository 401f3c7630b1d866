#pragma once

#include <QString>
#include <functional>

class QFontMetrics;
class QWidget;

namespace tavro {

class Language;

// Keeps windows at their design width whatever their texts say: a language
// file with endless texts must not push a window's buttons off the screen.
namespace textfit {

// The width a window with a fixed-size layout takes with its widest shipped
// translation: applyTexts runs once with the built-in copy of each shipped
// language file (at least the width it has now, with its design captions).
// The caller then applies the texts of the current language again.
int widestTranslation(QWidget* window, const Language& language,
                      const std::function<void()>& applyTexts);

// Narrows the window's texts until its fixed-size layout is at most width
// wide: the widest one-line text (label, button, frame title) is elided, its
// whole text becoming its tooltip; a word-wrapped label is narrowed so that
// it wraps within the width, a word longer than a line broken where it must.
// Texts that fit are left exactly as set.
void fitToWidth(QWidget* window, int width);

// The text with break chances (zero-width spaces) between the characters of
// every word wider than width, so that a word-wrapped label can wrap it.
QString breakLongWords(const QString& text, const QFontMetrics& metrics, int width);

} // namespace textfit

} // namespace tavro
