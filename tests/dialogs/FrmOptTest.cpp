// The options dialog driven through its real controls.

#include "ui/dialogs/frmOpt.h"

#include "DialogTestSupport.h"
#include "ui/dialogs/Palette16.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

const QStringList kSevenKeys = {"BlockTypes", "BlocksToClick", "Cols", "Rows",
                                "Background", "BGColor",       "Sound"};

void click(QAbstractButton* button) {
    // Near the left edge: on the indicator of option buttons and check boxes.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList numbers(int from, int to) {
    QStringList result;
    for (int n = from; n <= to; ++n)
        result << QString::number(n);
    return result;
}

QColor sampleColor(QLabel* sample) {
    const QImage image = sample->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class FrmOptTest : public QObject {
    Q_OBJECT
private slots:
    void listsOfferFiveUpToTheMaxima() {
        Fixture f;
        frmOpt dlg(f.state);
        QCOMPARE(itemsOf(dlg.cboNumCols()), numbers(5, 20));
        QCOMPARE(itemsOf(dlg.cboNumRows()), numbers(5, 15));
        QCOMPARE(dlg.cboNumCols()->currentText(), QStringLiteral("12"));
        QCOMPARE(dlg.cboNumRows()->currentText(), QStringLiteral("7"));
        f.state.settings.MaxCols = 4;
        frmOpt tiny(f.state);
        QCOMPARE(tiny.cboNumCols()->count(), 0);
    }

    void controlsStartFromTheCurrentSettings() {
        Fixture f;
        GameSettings& s = f.state.settings;
        s.BlockTypes = 5;
        s.BlocksToClick = 4;
        s.Background = 0;
        s.BGColor = 12;
        s.Sound = 0;
        frmOpt dlg(f.state);
        QVERIFY(dlg.optNumBlockTypes(2)->isChecked());
        QVERIFY(dlg.optMinBlocksToClick(2)->isChecked());
        QVERIFY(dlg.optBG(1)->isChecked());
        QVERIFY(!dlg.chkSound()->isChecked());
        QCOMPARE(sampleColor(dlg.lblColor()), QColor(255, 0, 0));
        QVERIFY(f.errors.isEmpty());
    }

    void aBlockTypeWithoutOptionButtonIsReported() {
        Fixture f;
        f.state.settings.BlockTypes = 9;
        frmOpt dlg(f.state);
        QCOMPARE(f.errors, QStringList{"frmOpt/Form_Load"});
    }

    void colourArrowsWrapAndRepaintTheSample() {
        Fixture f;
        f.state.settings.BGColor = 15;
        frmOpt dlg(f.state);
        dlg.show();
        QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 0);
        QCOMPARE(sampleColor(dlg.lblColor()), Palette16::color(0));
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 15);
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 14);
        QCOMPARE(sampleColor(dlg.lblColor()), QColor(255, 255, 0));
    }

    void cancelKeepsTheSizeButNotTheImmediateChanges() {
        Fixture f;
        frmOpt dlg(f.state);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.cboNumCols()->setCurrentIndex(dlg.cboNumCols()->findText("15"));
        dlg.cboNumRows()->setCurrentIndex(dlg.cboNumRows()->findText("9"));
        click(dlg.optNumBlockTypes(3));
        click(dlg.optMinBlocksToClick(1));
        click(dlg.optBG(1));
        click(dlg.chkSound());
        QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QTest::mouseClick(dlg.cmdCancel(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        const GameSettings& s = f.state.settings;
        QCOMPARE(s.Cols, 12);
        QCOMPARE(s.Rows, 7);
        QCOMPARE(s.BlockTypes, 6);
        QCOMPARE(s.BlocksToClick, 3);
        QCOMPARE(s.Background, 0);
        QCOMPARE(s.Sound, 0);
        QCOMPARE(s.BGColor, 1);
        for (const QString& key : kSevenKeys)
            QCOMPARE(f.store.read("Settings", key, "unset"), QStringLiteral("unset"));
    }

    void zeroSizeBecomesTheDefaultEvenWhenCancelled() {
        Fixture f;
        f.state.settings.Cols = 0;
        f.state.settings.Rows = 0;
        frmOpt dlg(f.state);
        QCOMPARE(dlg.cboNumCols()->currentText(), QStringLiteral("12"));
        QCOMPARE(dlg.cboNumRows()->currentText(), QStringLiteral("7"));
        dlg.show();
        QTest::mouseClick(dlg.cmdCancel(), Qt::LeftButton);
        QCOMPARE(f.state.settings.Cols, 12);
        QCOMPARE(f.state.settings.Rows, 7);
    }

    void okStoresAllSevenKeysEvenWithoutChange() {
        Fixture f;
        f.state.settings.Sound = -1; // stored as 1: the box only knows on and off
        frmOpt dlg(f.state);
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QStringList expected = {"4", "2", "12", "7", "-1", "0", "1"};
        for (int i = 0; i < kSevenKeys.size(); ++i)
            QCOMPARE(f.store.read("Settings", kSevenKeys[i], "unset"), expected[i]);
    }

    void okTakesTheChosenSize() {
        Fixture f;
        frmOpt dlg(f.state);
        dlg.show();
        dlg.cboNumCols()->setCurrentIndex(dlg.cboNumCols()->findText("20"));
        dlg.cboNumRows()->setCurrentIndex(0);
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(f.state.settings.Cols, 20);
        QCOMPARE(f.state.settings.Rows, 5);
        QCOMPARE(f.store.read("Settings", "Cols", ""), QStringLiteral("20"));
    }

    void okWithoutSelectionKeepsTheSizeWithinTheLists() {
        Fixture f;
        f.state.settings.Cols = 30; // beyond MaxCols 20
        f.state.settings.Rows = 3;  // below the smallest item
        frmOpt dlg(f.state);
        QCOMPARE(dlg.cboNumCols()->currentIndex(), -1);
        QCOMPARE(dlg.cboNumRows()->currentIndex(), -1);
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(f.state.settings.Cols, 20);
        QCOMPARE(f.state.settings.Rows, 5);
        QCOMPARE(f.store.read("Settings", "Rows", ""), QStringLiteral("5"));
    }

    void captionsFollowTheLanguage() {
        Fixture f(0);
        frmOpt dlg(f.state);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), f.state.language.GetLang(117));
        QCOMPARE(dlg.cmdCancel()->text(), f.state.language.GetLang(143));
        QCOMPARE(dlg.cmdOK()->text(), QStringLiteral("&OK"));
        QVERIFY(!dlg.windowTitle().isEmpty());
    }
};

QTEST_MAIN(FrmOptTest)
#include "FrmOptTest.moc"
