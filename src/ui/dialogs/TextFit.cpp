#include "ui/dialogs/TextFit.h"

#include "common/Language.h"
#include "common/Languages.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <algorithm>

namespace tavro::textfit {

namespace {

// Marks the widgets whose text or width the fitting changed, so that a later
// fitting (after the texts were set again) starts from their own state.
constexpr char kFitted[] = "tavroTextFitted";

// A text of a control, with the means to replace it; a word-wrapped label is
// narrowed instead.
struct TextSlot {
    QWidget* widget;
    QString text;
    std::function<void(const QString&)> set;
    bool wraps = false;

    int width() const {
        return wraps ? std::min(widget->sizeHint().width(), widget->maximumWidth())
                     : widget->fontMetrics().horizontalAdvance(text);
    }
};

QList<TextSlot> textSlots(QWidget* window) {
    QList<TextSlot> found;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty())
            continue;
        found.append({label, label->text(), [label](const QString& t) { label->setText(t); },
                      label->wordWrap()});
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(window) && !button->text().isEmpty())
            found.append(
                {button, button->text(), [button](const QString& t) { button->setText(t); }});
    }
    for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
        if (box->isVisibleTo(window) && !box->title().isEmpty())
            found.append({box, box->title(), [box](const QString& t) { box->setTitle(t); }});
    }
    return found;
}

int hintWidth(QWidget* window) {
    if (window->layout())
        window->layout()->activate();
    return window->sizeHint().width();
}

void narrow(const TextSlot& slot, int excess) {
    slot.widget->setProperty(kFitted, true);
    const int width = std::max(slot.width() - excess, 16);
    if (slot.wraps) {
        slot.widget->setMaximumWidth(width);
        slot.set(breakLongWords(slot.text, slot.widget->fontMetrics(), width));
    } else {
        slot.widget->setToolTip(slot.text);
        slot.set(slot.widget->fontMetrics().elidedText(slot.text, Qt::ElideRight, width));
    }
}

} // namespace

int widestTranslation(QWidget* window, const Language& language,
                      const std::function<void()>& applyTexts) {
    int widest = hintWidth(window);
    for (const LanguageInfo& shipped : kLanguages) {
        const Language::ShippedTexts texts(language, shipped.file);
        applyTexts();
        widest = std::max(widest, hintWidth(window));
    }
    return widest;
}

void fitToWidth(QWidget* window, int width) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->property(kFitted).toBool()) {
            widget->setProperty(kFitted, QVariant());
            widget->setToolTip(QString());
            widget->setMaximumWidth(QWIDGETSIZE_MAX);
        }
    }
    // The widest text gives up what the window is too wide, until it fits.
    for (int round = 0; round < 64; ++round) {
        const int excess = hintWidth(window) - width;
        if (excess <= 0)
            return;
        const QList<TextSlot> found = textSlots(window);
        const auto widest =
            std::max_element(found.begin(), found.end(), [](const TextSlot& a, const TextSlot& b) {
                return a.width() < b.width();
            });
        if (widest == found.end() || widest->width() <= 16)
            return;
        narrow(*widest, excess);
    }
}

QString breakLongWords(const QString& text, const QFontMetrics& metrics, int width) {
    static const QRegularExpression word(QStringLiteral("\\S+"));
    QString result = text;
    // From the back, so that the positions of the words before stay valid.
    QList<QRegularExpressionMatch> words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words.prepend(it.next());
    for (const QRegularExpressionMatch& match : words) {
        if (metrics.horizontalAdvance(match.captured()) <= width)
            continue;
        QString broken;
        for (QChar c : match.captured()) {
            if (!broken.isEmpty() && !c.isLowSurrogate())
                broken += QChar(0x200B);
            broken += c;
        }
        result.replace(match.capturedStart(), match.capturedLength(), broken);
    }
    return result;
}

} // namespace tavro::textfit
