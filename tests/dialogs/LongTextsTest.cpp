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
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QVariant text = widget->property("text"); // labels and buttons
        if (text.toString().contains(QChar(0x2026)))
            shape.faults << "cut: " + text.toString().left(20);
    }
    return shape;
}

Shape shownShape(QWidget* window) {
    window->show();
    const Shape shape =
        QTest::qWaitForWindowExposed(window) ? shapeOf(window) : Shape{0, {"never shown"}};
    window->hide();
    return shape;
}

// The shape of the modal window that run() opens; it is then rejected or left.
Shape modalShape(const std::function<void()>& run) {
    Shape shape{0, {"never shown"}};
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            shape = shapeOf(box);
            if (auto* report = qobject_cast<ErrPtnr*>(box))
                report->cmdContinue_Click(1);
            else
                static_cast<QDialog*>(box)->reject();
        }
    });
    run();
    return shape;
}

// How each window is opened. `ordinary` asks for the text of a box that wraps
// to be an ordinary long sentence, which shows the box at its design width.
using Opener = std::function<Shape(AppState&, bool ordinary)>;

template <class Dialog, class... Args> Opener shown(Args... args) {
    return [=](AppState& s, bool) {
        Dialog d(s, args...);
        return shownShape(&d);
    };
}

Opener info(bool AppState::*flag) {
    return [flag](AppState& s, bool) {
        s.*flag = true;
        frmInfo d(s, nullptr);
        return shownShape(&d);
    };
}

Opener box(std::function<void(AppState&, const QString&)> open, int16_t id) {
    return [open, id](AppState& s, bool ordinary) {
        const QString text = s.language.GetLang(id);
        return modalShape([&] { open(s, ordinary ? QString(text + u' ').repeated(12) : text); });
    };
}

const QMap<QString, Opener>& openers() {
    static const QMap<QString, Opener> all = {
        {"options", shown<frmOpt>()},
        {"high scores", shown<frmHighscore>(CurrentGame{301, 5, 84, false}, std::function<void()>(),
                                            nullptr, CurrentGameExtras{7, true})},
        {"block sets", shown<frmBlocks>()},
        {"backgrounds", shown<frmBoard>()},
        {"game number", shown<frmGameNumber>(4242u)},
        {"start-up window", info(&AppState::StartupPending)},
        {"about", info(&AppState::MainShown)},
        {"error report",
         box(
             [](AppState& s, const QString& text) {
                 QTemporaryDir logs;
                 ErrPtnr report;
                 report.setLogFiles(ErrorLogFiles(logs.path(), "tavro", logs.path()));
                 report.SetProgInfo(s.language.GetLang(102));
                 report.OnError(s.language.GetLang(103), s.language.GetLang(104), {13, text, 7});
             },
             101)},
        {"question",
         box([](AppState&, const QString& text) { MessageBoxPrompt().askYesNo("Tavro", text); },
             135)},
        {"message",
         box([](AppState&, const QString& text) { MessageBoxPrompt().showMessage("Tavro", text); },
             102)},
        {"name box", box(
                         [](AppState& s, const QString& text) {
                             MessageBoxPrompt().askText(s.language.GetLang(128), text, "Ann");
                         },
                         126)},
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
