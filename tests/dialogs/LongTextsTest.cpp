// Every window with language texts keeps its design width whatever a language
// file says: with every text id holding endless 'W's (delivered as 254) no
// window is wider than with the widest shipped language, and its buttons stay
// on it. A box whose text wraps is measured against an ordinary long text.

#include "DialogTestSupport.h"
#include "errors/ErrPtnr.h"
#include "ui/dialogs/MessageBoxPrompt.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmGameNumber.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/dialogs/frmOpt.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

struct Shape {
    int width = 0;
    QStringList faults; // buttons off the window, texts cut
};

Shape shapeOf(QWidget* window) {
    Shape shape{window->width(), {}};
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible() &&
            !window->rect().contains(QRect(button->mapTo(window, QPoint()), button->size())))
            shape.faults << "off the window: " + button->text().left(20);
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->text().contains(QChar(0x2026)))
            shape.faults << "cut: " + label->text().left(20);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text().contains(QChar(0x2026)))
            shape.faults << "cut: " + button->text().left(20);
    return shape;
}

Shape shownShape(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return {0, {"never shown"}};
    const Shape shape = shapeOf(window);
    window->hide();
    return shape;
}

// The shape of the modal window that run() opens, closed by close().
Shape modalShape(const std::function<void()>& run, const std::function<void(QWidget*)>& close) {
    Shape shape{0, {"never shown"}};
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        shape = shapeOf(box);
        close(box);
    });
    run();
    return shape;
}

void rejectBox(QWidget* box) {
    static_cast<QDialog*>(box)->reject();
}

// How each window is opened. `ordinary` asks for the text of a box that
// wraps to be an ordinary long sentence, which shows the box at its design
// width.
using Opener = std::function<Shape(AppState&, bool ordinary)>;

QString boxText(const Language& lang, int16_t id, bool ordinary) {
    return ordinary ? QString(lang.GetLang(id) + u' ').repeated(12) : lang.GetLang(id);
}

const QMap<QString, Opener>& openers() {
    static const QMap<QString, Opener> all = {
        {"options",
         [](AppState& s, bool) {
             frmOpt d(s);
             return shownShape(&d);
         }},
        {"high scores",
         [](AppState& s, bool) {
             frmHighscore d(s, CurrentGame{301, 5, 84, false}, nullptr, nullptr, {7, true});
             return shownShape(&d);
         }},
        {"block sets",
         [](AppState& s, bool) {
             frmBlocks d(s);
             return shownShape(&d);
         }},
        {"backgrounds",
         [](AppState& s, bool) {
             frmBoard d(s);
             return shownShape(&d);
         }},
        {"game number",
         [](AppState& s, bool) {
             frmGameNumber d(s, 4242);
             return shownShape(&d);
         }},
        {"start-up window",
         [](AppState& s, bool) {
             s.StartupPending = true;
             frmInfo d(s, nullptr);
             return shownShape(&d);
         }},
        {"about",
         [](AppState& s, bool) {
             s.MainShown = true;
             frmInfo d(s, nullptr);
             return shownShape(&d);
         }},
        {"error report",
         [](AppState& s, bool ordinary) {
             QTemporaryDir logs;
             ErrPtnr report;
             report.setLogFiles(ErrorLogFiles(logs.path(), "tavro", logs.path()));
             report.SetProgInfo(s.language.GetLang(102));
             return modalShape(
                 [&] {
                     report.OnError(s.language.GetLang(103), s.language.GetLang(104),
                                    {13, boxText(s.language, 101, ordinary), 7});
                 },
                 [](QWidget* box) { static_cast<ErrPtnr*>(box)->cmdContinue_Click(1); });
         }},
        {"question",
         [](AppState& s, bool ordinary) {
             return modalShape(
                 [&] { MessageBoxPrompt().askYesNo("Tavro", boxText(s.language, 135, ordinary)); },
                 rejectBox);
         }},
        {"message",
         [](AppState& s, bool ordinary) {
             return modalShape(
                 [&] {
                     MessageBoxPrompt().showMessage("Tavro", boxText(s.language, 102, ordinary));
                 },
                 rejectBox);
         }},
        {"name box",
         [](AppState& s, bool ordinary) {
             return modalShape(
                 [&] {
                     MessageBoxPrompt().askText(s.language.GetLang(128),
                                                boxText(s.language, 126, ordinary), "Ann");
                 },
                 rejectBox);
         }},
    };
    return all;
}

} // namespace

class LongTextsTest : public QObject {
    Q_OBJECT
private slots:
    void windowsKeepTheirDesignWidth_data() {
        QTest::addColumn<QString>("window");
        for (const QString& window : openers().keys())
            QTest::newRow(qPrintable(window)) << window;
    }
    void windowsKeepTheirDesignWidth() {
        QFETCH(QString, window);
        const Opener& open = openers()[window];
        int designWidth = 0;
        for (int16_t language : {0, 1, 2, 3, 6}) {
            for (bool ordinary : {false, true}) {
                Fixture f{language};
                const Shape shape = open(f.state, ordinary);
                QVERIFY2(shape.faults.isEmpty(), qPrintable(shape.faults.join(", ")));
                designWidth = std::max(designWidth, shape.width);
            }
        }
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("lang"));
        QByteArray endless = "[Lang]\r\n";
        for (int id = 101; id <= 269; ++id)
            endless += QByteArray::number(id).rightJustified(4, '0') + '=' + QByteArray(1000, 'W') +
                       "\r\n";
        QVERIFY(writeFile(dir.filePath("lang/english.lng"), endless));
        Fixture f{1};
        f.state.language.fillPaths(dir.path());
        QCOMPARE(f.state.language.GetLang(135), QString(254, u'W'));
        const Shape shape = open(f.state, false);
        QVERIFY2(
            shape.width > 0 && shape.width <= designWidth,
            qPrintable(QStringLiteral("%1 wide, design %2").arg(shape.width).arg(designWidth)));
        for (const QString& fault : shape.faults)
            QVERIFY2(fault.startsWith("cut"), qPrintable(fault));
    }
};

QTEST_MAIN(LongTextsTest)
#include "LongTextsTest.moc"
