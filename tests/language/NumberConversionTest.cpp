#include "settings/NumberConversion.h"

#include "errors/AppError.h"

#include <QTest>

using tavro::AppError;
using tavro::toInt16;

// Stored settings are decimal text; only plain decimal notation counts as a
// number ("1e3" and "0x10" are type mismatches, as are thousands separators).
class NumberConversionTest : public QObject {
    Q_OBJECT

private slots:
    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QStringLiteral("12") << 12;
        QTest::newRow("blanks around") << QStringLiteral("  12  ") << 12;
        QTest::newRow("tabs around") << QStringLiteral("\t7\t") << 7;
        QTest::newRow("plus sign") << QStringLiteral("+5") << 5;
        QTest::newRow("half to even down") << QStringLiteral("2.5") << 2;
        QTest::newRow("half to even up") << QStringLiteral("3.5") << 4;
        QTest::newRow("negative half") << QStringLiteral("-0.5") << 0;
        QTest::newRow("negative one and a half") << QStringLiteral("-1.5") << -2;
        QTest::newRow("below half") << QStringLiteral("2.49") << 2;
        QTest::newRow("leading point") << QStringLiteral(".6") << 1;
        QTest::newRow("trailing point") << QStringLiteral("6.") << 6;
        QTest::newRow("largest") << QStringLiteral("32767") << 32767;
        QTest::newRow("largest with fraction") << QStringLiteral("32767.4") << 32767;
        QTest::newRow("smallest") << QStringLiteral("-32768") << -32768;
        QTest::newRow("smallest half rounds to even") << QStringLiteral("-32768.5") << -32768;
        QTest::newRow("leading zeros") << QStringLiteral("0007") << 7;
    }

    void numbers() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(toInt16(text)), expected);
    }

    void failures_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("half above the range")
            << QStringLiteral("32767.5") << int(AppError::Overflow);
        QTest::newRow("above the range") << QStringLiteral("32768") << int(AppError::Overflow);
        QTest::newRow("below the range") << QStringLiteral("-32769") << int(AppError::Overflow);
        QTest::newRow("huge") << QStringLiteral("99999999999999999999999")
                              << int(AppError::Overflow);
        QTest::newRow("letters") << QStringLiteral("abc") << int(AppError::TypeMismatch);
        QTest::newRow("empty") << QString() << int(AppError::TypeMismatch);
        QTest::newRow("blanks only") << QStringLiteral("   ") << int(AppError::TypeMismatch);
        QTest::newRow("exponent") << QStringLiteral("1e3") << int(AppError::TypeMismatch);
        QTest::newRow("hex") << QStringLiteral("0x10") << int(AppError::TypeMismatch);
        QTest::newRow("comma") << QStringLiteral("1,5") << int(AppError::TypeMismatch);
        QTest::newRow("two points") << QStringLiteral("1.2.3") << int(AppError::TypeMismatch);
        QTest::newRow("sign only") << QStringLiteral("-") << int(AppError::TypeMismatch);
        QTest::newRow("inner blank") << QStringLiteral("1 2") << int(AppError::TypeMismatch);
        QTest::newRow("non-ASCII digits")
            << QStringLiteral("\u0661\u0662") << int(AppError::TypeMismatch);
    }

    void failures() {
        QFETCH(QString, text);
        QFETCH(int, number);
        try {
            const int value = toInt16(text);
            QFAIL(qPrintable(QStringLiteral("no failure, got %1").arg(value)));
        } catch (const AppError& e) {
            QCOMPARE(e.number(), number);
        }
    }
};

QTEST_GUILESS_MAIN(NumberConversionTest)
#include "NumberConversionTest.moc"
