#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavro {

// The text of the settings file: "[Section]" lines followed by "key=value"
// lines, UTF-8, values quoted and escaped where needed (the form Qt's INI
// files have always had, so files of earlier versions read the same).
//
// Reading follows the rules of a profile reader rather than a strict parser:
// section and key names match without regard to case, blanks around names
// and values are ignored, and a line that cannot be read is skipped while the
// rest is read. A line that is not UTF-8 is read as Windows-1252.
class StoreFormat {
public:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    // Parses content; lines that could not be read are counted in skippedLines.
    static StoreFormat parse(const QByteArray& content);
    QByteArray serialize() const;

    // The value of section/key, nullptr when missing.
    const QString* find(const QString& section, const QString& key) const;
    // Creates or replaces the value.
    void set(const QString& section, const QString& key, const QString& value);

    int skippedLines = 0;

private:
    Section* findSection(const QString& name);
    QList<Section> sections_;
};

} // namespace tavro
