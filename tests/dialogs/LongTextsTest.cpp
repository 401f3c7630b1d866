// Every window with language texts speaks each language (title, Qt's buttons)
// and keeps its design width: with endless texts (254 'W's) no wider than with
// the widest shipped language (a box that wraps: an ordinary long text), its
// buttons on it.

#include "DialogTestSupport.h"
#include "errors/ErrPtnr.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/MessageBoxPrompt.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmGameNumber.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/dialogs/frmOpt.h"

#include <QtTest>
#include <QtWidgets>
#include <set>

using namespace tavro;
using namespace tavro::test;

namespace {

struct Shape {
    int width = 0;
    QStringList faults; // buttons off the window, texts cut
    QString title = {};
    QStringList buttons = {}; // the visible buttons' texts, sorted
};

Shape shapeOf(QWidget* window) {
    Shape shape{window->width(), {}, window->windowTitle()};
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            shape.buttons << button->text().remove(u'&');
        if (button->isVisible() &&
            !window->rect().contains(QRect(button->mapTo(window, QPoint()), button->size())))
            shape.faults << "off the window: " + button->text().left(20);
    }
    shape.buttons.sort();
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QVariant text = widget->property("text"); // labels and buttons
        if (text.toString().contains(QChar(0x2026)))
            shape.faults << "cut: " + text.toString().left(20);
    }
    return shape;
}

Shape shown(QWidget* window) {
    window->show();
    const Shape shape =
        QTest::qWaitForWindowExposed(window) ? shapeOf(window) : Shape{0, {"never shown"}};
    window->hide();
    return shape;
}

// The shape of the modal window that run() opens; it is then rejected or left.
Shape modal(const std::function<void()>& run) {
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

// `ordinary` makes the text of a box that wraps an ordinary long sentence,
// which shows the box at its design width.
Shape open(const QString& window, AppState& s, bool ordinary) {
    const auto text = [&](int16_t id) {
        const QString t = s.language.GetLang(id);
        return ordinary ? QString(t + u' ').repeated(12) : t;
    };
    if (window == "options")
        return shown(std::make_unique<frmOpt>(s).get());
    if (window == "high scores")
        return shown(std::make_unique<frmHighscore>(s, CurrentGame{301, 5, 84, false}, nullptr,
                                                    nullptr, CurrentGameExtras{7, true})
                         .get());
    if (window == "block sets")
        return shown(std::make_unique<frmBlocks>(s).get());
    if (window == "backgrounds")
        return shown(std::make_unique<frmBoard>(s).get());
    if (window == "game number")
        return shown(std::make_unique<frmGameNumber>(s, 4242u).get());
    if (window == "start-up window" || window == "about") {
        (window == "about" ? s.MainShown : s.StartupPending) = true;
        return shown(std::make_unique<frmInfo>(s, nullptr).get());
    }
    if (window == "question")
        return modal([&] { MessageBoxPrompt().askYesNo("Tavro", text(135)); });
    if (window == "message")
        return modal([&] { MessageBoxPrompt().showMessage("Tavro", text(102)); });
    if (window == "name box")
        return modal(
            [&] { MessageBoxPrompt().askText(s.language.GetLang(128), text(126), "Ann"); });
    return modal([&] {
        QTemporaryDir logs;
        ErrPtnr report;
        report.setLogFiles(ErrorLogFiles(logs.path(), "tavro", logs.path()));
        report.SetProgInfo(s.language.GetLang(102));
        report.OnError(s.language.GetLang(103), s.language.GetLang(104), {13, text(101), 7});
    });
}

} // namespace

class LongTextsTest : public QObject {
    Q_OBJECT
private slots:
    // Texts follow the language at every showing; every block set is named,
    // each differently.
    void textsFollowTheLanguage() {
        Fixture f{0};
        frmOpt options(f.state);
        frmBlocks blocks(f.state);
        for (int16_t language : {0, 2, 3, 6, 1}) {
            f.state.settings.LanguageId = language;
            options.show();
            blocks.show();
            QCOMPARE(options.windowTitle(), f.state.language.GetLang(117));
            std::set<QString> names;
            for (int set = 0; set < frmBlocks::kSets; ++set)
                names.insert(blocks.imgBlocks(set)->toolTip());
            QVERIFY(names.size() == frmBlocks::kSets && !names.count(QString()));
            options.hide();
            blocks.hide();
        }
        QCOMPARE(options.cmdCancel()->text() + blocks.imgBlocks(2)->toolTip() +
                     blocks.imgBlocks(13)->toolTip(),
                 "&CancelGemsDice");
    }

    void windowsKeepTheirDesignWidth_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("title"); // its text id, 0: not from the language
        for (const auto& [window, title] : {std::pair("options", 117),
                                            {"high scores", 127},
                                            {"block sets", 112},
                                            {"backgrounds", 113},
                                            {"game number", 206},
                                            {"start-up window", 0},
                                            {"about", 0},
                                            {"error report", 0},
                                            {"question", 0},
                                            {"message", 0},
                                            {"name box", 0}})
            QTest::newRow(window) << QString(window) << title;
    }
    void windowsKeepTheirDesignWidth() {
        QFETCH(QString, window);
        QFETCH(int, title);
        const QMap<QString, QList<QStringList>> qtButtons = {
            // de, en, es, it, fr
            {"question",
             {{"Ja", "Nein"}, {"No", "Yes"}, {"No", "Sí"}, {"No", "Sì"}, {"Non", "Oui"}}},
            {"name box",
             {{"Abbrechen", "OK"},
              {"Cancel", "OK"},
              {"Aceptar", "Cancelar"},
              {"Annulla", "OK"},
              {"Annuler", "OK"}}}};
        int designWidth = 0;
        for (int16_t language : {0, 1, 2, 3, 6}) {
            for (bool ordinary : {false, true}) {
                Fixture f{language};
                const Shape shape = open(window, f.state, ordinary);
                QVERIFY2(shape.faults.isEmpty(), qPrintable(shape.faults.join(", ")));
                if (title)
                    QCOMPARE(shape.title, f.state.language.GetLang(int16_t(title)));
                if (qtButtons.contains(window))
                    QCOMPARE(shape.buttons, qtButtons[window][std::min<int>(language, 4)]);
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
        const Shape shape = open(window, f.state, false);
        QVERIFY2(
            shape.width > 0 && shape.width <= designWidth,
            qPrintable(QStringLiteral("%1 wide, design %2").arg(shape.width).arg(designWidth)));
        for (const QString& fault : shape.faults)
            QVERIFY2(fault.startsWith("cut"), qPrintable(fault));
    }
};

QTEST_MAIN(LongTextsTest)
#include "LongTextsTest.moc"
