#pragma once

#include <QString>
#include <QTranslator>
#include <cstdint>
#include <map>
#include <memory>

namespace tavro {

// Qt's own texts (Yes and No of the message boxes, OK and Cancel of the name
// box, the edit menu of text fields) in the current language. It follows the
// language id it watches: every lookup goes to Qt's translation of the
// language in force at that moment, so a switched language shows in the next
// box without anything to re-install. Installs itself into the application
// while it lives. Languages without a translation file show Qt's English.
class QtTranslations : public QTranslator {
public:
    // Looks for "qtbase_<code>.qm" in `folder` (Qt's translation folder by default).
    explicit QtTranslations(const int16_t& languageId, const QString& folder = QString());
    ~QtTranslations() override;

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    const QTranslator* current() const;

    const int16_t& languageId_;
    QString folder_;
    // Loaded on first use; a null entry marks a language without a file.
    mutable std::map<int, std::unique_ptr<QTranslator>> loaded_;
};

} // namespace tavro
