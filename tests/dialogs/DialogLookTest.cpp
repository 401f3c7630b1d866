// How the dialogs look: black windows, light-blue buttons, captions from the
// language files. With TAVRO_SCREENSHOT_DIR set, every dialog is also saved
// there as "<dialog>-<language>.png" for a look by eye.

#include "DialogTestSupport.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmOpt.h"

#include <QPushButton>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

QImage shoot(QDialog& dialog, const QString& name, int16_t languageId) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        qWarning("%s was not exposed", qPrintable(name));
    const QImage image = dialog.grab().toImage();
    const QString dir = qEnvironmentVariable("TAVRO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        image.save(QStringLiteral("%1/%2-%3.png").arg(dir, name).arg(languageId));
    return image;
}

// A pixel inside the left edge of a button, beside its caption.
QColor buttonFace(QWidget* button) {
    QWidget* window = button->window();
    const QImage image = window->grab().toImage();
    return image.pixelColor(button->mapTo(window, QPoint(4, button->height() / 2)));
}

} // namespace

class DialogLookTest : public QObject {
    Q_OBJECT
private slots:
    void dialogsAreBlackWithLightBlueButtons_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("German") << 0;
        QTest::newRow("English") << 1;
    }
    void dialogsAreBlackWithLightBlueButtons() {
        QFETCH(int, language);
        Fixture f{int16_t(language)};
        HighScoreTable table;
        table.setEntry(1, {"Marlene", 812, 0, true});
        table.setEntry(2, {"Zoë Müller", 530, 3, true});
        table.setEntry(3, {"Łukasz", 301, 5, true});
        table.write(f.store, f.state.settings);
        f.state.lastPlayerName = "Łukasz";

        frmOpt options(f.state);
        QImage image = shoot(options, "options", int16_t(language));
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(buttonFace(options.cmdOK()), QColor(128, 178, 255));
        QCOMPARE(options.windowTitle(), f.state.language.GetLang(117));

        frmHighscore scores(f.state, CurrentGame{301, 5, 84, false}, nullptr);
        image = shoot(scores, "highscore", int16_t(language));
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(buttonFace(scores.cmdDelHighscore()), QColor(128, 178, 255));
        QVERIFY(!scores.cmdDelHighscore()->text().isEmpty());

        frmBlocks blocks(f.state);
        image = shoot(blocks, "blocks", int16_t(language));
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
        frmBoard board(f.state);
        image = shoot(board, "board", int16_t(language));
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
        QVERIFY(f.errors.isEmpty());
    }
};

QTEST_MAIN(DialogLookTest)
#include "DialogLookTest.moc"
