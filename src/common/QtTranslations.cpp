#include "common/QtTranslations.h"

#include "common/Languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tavro {

QtTranslations::QtTranslations(const int16_t& languageId, const QString& folder)
    : languageId_(languageId),
      folder_(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder) {
    QCoreApplication::installTranslator(this);
}

QtTranslations::~QtTranslations() {
    QCoreApplication::removeTranslator(this);
}

const QTranslator* QtTranslations::current() const {
    const int id = languageId_;
    auto found = loaded_.find(id);
    if (found == loaded_.end()) {
        std::unique_ptr<QTranslator> translator;
        if (const LanguageInfo* language = languageById(id)) {
            translator = std::make_unique<QTranslator>();
            if (!translator->load(QStringLiteral("qtbase_") + QLatin1String(language->code),
                                  folder_))
                translator.reset();
        }
        found = loaded_.emplace(id, std::move(translator)).first;
    }
    return found->second.get();
}

QString QtTranslations::translate(const char* context, const char* sourceText,
                                  const char* disambiguation, int n) const {
    const QTranslator* translator = current();
    return translator ? translator->translate(context, sourceText, disambiguation, n) : QString();
}

} // namespace tavro
