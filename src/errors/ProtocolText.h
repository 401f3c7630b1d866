#pragma once

#include "errors/OsVersionInfo.h"

#include <QDateTime>
#include <QString>
#include <array>

namespace tavro {

// The label texts of the report that make up the protocol.
struct ProtocolFields {
    QString progInfoCaption;       // caption of the program-info frame
    QString progInfo;              // the program-info line
    QString errorCaption;          // caption of the error-description frame
    std::array<QString, 4> titles; // "Fehler-Nr / error :", "Modul:", ...
    std::array<QString, 4> values; // number (description), module, procedure, line
};

// The protocol text of one report; every line ends with CR LF.
QString buildProtocolText(const ProtocolFields& fields, const QDateTime& now,
                          const OsVersionInfo& os);

// The protocol as it goes to the printer: lines wrapped at about 73 characters,
// continuation lines indented by 20 blanks, every line ending in one blank.
QStringList wrapProtocolForPrint(const QString& protocol);

} // namespace tavro
