#include "common/ProfileReader.h"
#include "settings/Windows1252.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The reader must deliver at most 254 characters for any file content and
// find a key that the content is followed by.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* key : {"0101", "0102", "0157"}) {
        const QString value = tavro::ProfileReader::findValue(
            content, QStringLiteral("Lang"), QString::fromLatin1(key), QString(255, u' '));
        if (value.size() > tavro::ProfileReader::kMaxValueLength)
            std::abort();
    }
    const QString appended = tavro::ProfileReader::findValue(
        content + "\n[Lang]\n0199=found\n", QStringLiteral("Lang"), QStringLiteral("0199"));
    if (!content.contains("[") && appended != QStringLiteral("found"))
        std::abort();
    if (tavro::windows1252::decode(content).size() != content.size())
        std::abort();
    return 0;
}
