// The settings store under hostile files: what it reads, what it keeps, what
// it refuses to replace, and what it tells the player; the key table's ranges.
#include "settings/SettingsStore.h"

#include "dialogs/TestTools.h"
#include "settings/SettingsSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tavro;
using namespace tavro::test;

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QList<StoreProblem> problems_;

    QString path() const { return dir_.filePath("Tavro/Tavro.conf"); }
    void watch(SettingsStore& store) {
        store.setProblemHandler([this](const StoreProblem& p) { problems_.append(p); });
    }

private slots:
    void init() {
        QDir(dir_.filePath("Tavro")).removeRecursively();
        QVERIFY(QDir().mkpath(dir_.filePath("Tavro")));
        problems_.clear();
    }

    // Files of earlier versions were written by Qt's INI writer, and tests
    // and tools still read the file with it: both ways give the same text.
    void valuesRoundTripWithQtIniFiles() {
        const QStringList values = {"12",
                                    "-1",
                                    "",
                                    "a, b",
                                    " lead",
                                    "trail ",
                                    "q\"uo\\te",
                                    "l\nb\tc\r",
                                    "x;y=z#",
                                    "@at",
                                    "\u00F0\u00E1\u20AC\u0081:1234;7",
                                    "\u540D \U0001F600",
                                    QString("\x01") + "0a\x7f"};
        {
            QSettings qt(path(), QSettings::IniFormat);
            for (int i = 0; i < values.size(); ++i)
                qt.setValue(QStringLiteral("HighScore/k%1").arg(i), values[i]);
        }
        SettingsStore store(path());
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(store.read("highscore", QStringLiteral("K%1").arg(i), "?"), values[i]);
            store.write("Other", QStringLiteral("k%1").arg(i), values[i]);
        }
        QSettings qt(path(), QSettings::IniFormat);
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(qt.value(QStringLiteral("Other/k%1").arg(i)).toString(), values[i]);
    }

    // A line it cannot read is skipped and the rest read; before the first
    // save drops those lines, the file is kept aside, and the player told once.
    void unreadableLinesAreSkippedAndTheFileKeptAside() {
        const QByteArray content = "\"\n\xff\xfe junk\n[Settings\n[Settings]\nCols=20\n"
                                   "bad line\n Rows = 9 \nList=a,b , c\n[HighScore]\n"
                                   "127421=\"unclosed\n127422=ok\n";
        QVERIFY(writeFile(path(), content));
        SettingsStore store(path());
        watch(store);
        store.open();
        QCOMPARE((QStringList{
                     store.read("Settings", "Cols", "?"), store.read("Settings", "Rows", "?"),
                     store.read("Settings", "List", "?"), store.read("HighScore", "127421", "?"),
                     store.read("HighScore", "127422", "?")}),
                 (QStringList{"20", "9", "a, b, c", "?", "ok"}));
        QCOMPARE(problems_.size(), 1);
        QCOMPARE(problems_[0].kind, StoreProblem::Kind::Damaged);
        QVERIFY(QFileInfo(problems_[0].copyPath).fileName().startsWith("Tavro.conf.damaged-"));
        QCOMPARE(readFile(problems_[0].copyPath), content);

        store.write("Settings", "Sound", "1");
        store.write("Settings", "Sound", "0");
        QCOMPARE(readFile(problems_[0].copyPath), content);
        QCOMPARE(problems_.size(), 1);
        // The saved file reads cleanly and keeps everything that was read.
        SettingsStore again(path());
        watch(again);
        again.open();
        QCOMPARE(problems_.size(), 1);
        QCOMPARE(again.read("Settings", "List", "?"), QStringLiteral("a, b, c"));
        QCOMPARE(again.read("Settings", "Rows", "?"), QStringLiteral("9"));
    }

    // A FIFO or a device must not hang or flood the start, and is never
    // replaced: the player hears once that nothing can be saved, and why.
    void filesThatAreNotRegularAreNeitherReadNorReplaced_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"fifo", "link to /dev/zero", "directory", "dangling link"})
            QTest::newRow(kind) << QString(kind);
    }
    void filesThatAreNotRegularAreNeitherReadNorReplaced() {
        QFETCH(QString, kind);
        const QByteArray name = QFile::encodeName(path());
        if (kind == "fifo")
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        else if (kind == "directory")
            QVERIFY(QDir().mkpath(path() + "/inside"));
        else
            QVERIFY(
                QFile::link(kind == "dangling link" ? dir_.filePath("none") : "/dev/zero", path()));
        const QFileInfo before(path());
        QElapsedTimer clock;
        clock.start();
        SettingsStore store(path());
        watch(store);
        store.open();
        QCOMPARE(store.read("Settings", "Cols", "12"), QStringLiteral("12"));
        store.write("Settings", "Cols", "20");
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(store.read("Settings", "Cols", "12"), QStringLiteral("20"));
        QCOMPARE(problems_.size(), 1);
        QCOMPARE(problems_[0].file.path, path());
        const QFileInfo after(path());
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.isFile(), false);
        QCOMPARE(after.symLinkTarget(), before.symLinkTarget());
        QVERIFY(!QFile::exists(dir_.filePath("none")));
    }

    // Up to 4 MB is read; above, the file is kept aside and treated as damaged.
    void sizeLimitOfTheStore() {
        const auto fileOf = [](qint64 size) {
            QByteArray content = "[Settings]\nCols=20\n;";
            content.append(size - content.size() - 1, 'x').append('\n');
            return content;
        };
        QVERIFY(writeFile(path(), fileOf(SettingsStore::kMaxFileBytes)));
        QCOMPARE(SettingsStore(path()).read("Settings", "Cols", "12"), QStringLiteral("20"));

        const QByteArray large = fileOf(SettingsStore::kMaxFileBytes + 1);
        QVERIFY(writeFile(path(), large));
        SettingsStore store(path());
        watch(store);
        store.open();
        QCOMPARE(store.read("Settings", "Cols", "12"), QStringLiteral("12"));
        QCOMPARE(problems_.size(), 1);
        QCOMPARE(problems_[0].file.cause, FileProblem::Cause::TooLarge);
        store.write("Settings", "Rows", "9");
        QCOMPARE(readFile(problems_[0].copyPath), large);
        QVERIFY(QFileInfo(path()).size() < 100);
    }

    // A read-only store is left as it is; the first failed save is reported
    // with path and reason, later ones are not, and play goes on.
    void failedSavesAreReportedOnce() {
        QVERIFY(writeFile(path(), "[Settings]\nCols=20\n"));
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        SettingsStore store(path());
        watch(store);
        store.write("Settings", "Cols", "30");
        store.write("Settings", "Rows", "9");
        QCOMPARE(store.read("Settings", "Cols", "?"), QStringLiteral("30"));
        QCOMPARE(readFile(path()), QByteArray("[Settings]\nCols=20\n"));
        QCOMPARE(problems_.size(), 1);
        QCOMPARE(problems_[0].kind, StoreProblem::Kind::WriteFailed);
        QCOMPARE(problems_[0].file.path, path());
        QCOMPARE(problems_[0].file.cause, FileProblem::Cause::ReadOnly);
    }

    // A link to a regular file stays a link; its target is replaced and
    // keeps its permissions.
    void saveFollowsALinkToARegularFile() {
        const QString target = dir_.filePath("real.conf");
        QVERIFY(writeFile(target, "[Settings]\nCols=20\n"));
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(target, path()));
        SettingsStore store(path());
        store.write("Settings", "Rows", "9");
        QVERIFY(QFileInfo(path()).isSymLink());
        QCOMPARE(readFile(target), QByteArray("[Settings]\nCols=20\nRows=9\n"));
        QCOMPARE(QFile::permissions(target), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    // Only the store's own temporary files go.
    void staleTemporaryFilesAreRemovedAtOpen() {
        const QStringList names = {"Tavro.conf.Ab12Cd", "Tavro.conf.damaged-20260101-000000",
                                   "Tavro.conf.abc",    "Tavro.conf.Ab12Cd7",
                                   "Other.conf.Ab12Cd", "Tavro.conf.Ab-2Cd"};
        for (const QString& name : names)
            QVERIFY(writeFile(dir_.filePath("Tavro/" + name), "x"));
        SettingsStore(path()).open();
        QStringList left = QDir(dir_.filePath("Tavro")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(left, (QStringList{"Other.conf.Ab12Cd", "Tavro.conf.Ab-2Cd", "Tavro.conf.Ab12Cd7",
                                    "Tavro.conf.abc", "Tavro.conf.damaged-20260101-000000"}));
    }

    // A batch reaches the file once, at its end.
    void batchSavesAllItsWritesTogether() {
        QVERIFY(writeFile(path(), "[Settings]\nCols=5\n"));
        SettingsStore store(path());
        GameSettings s;
        s.Cols = 6;
        s.Rows = 8;
        {
            const SettingsStore::Batch batch(store);
            saveSettings(store, s, {Setting::Cols});
            store.write("Settings", "Rows", "8");
            QCOMPARE(readFile(path()), QByteArray("[Settings]\nCols=5\n"));
        }
        QCOMPARE(readFile(path()), QByteArray("[Settings]\nCols=6\nRows=8\n"));
    }

    // Every stored key, read back from text: both ends of its range, one
    // step beyond each, and its default when missing.
    void everyKeyIsBroughtIntoItsRange() {
        struct Case {
            Setting id;
            int (*field)(const GameSettings&);
            int defaultValue;
            QList<QPair<int, int>> storedToRead;
        };
#define FIELD(name) [](const GameSettings& s) { return int(s.name); }
        const Case cases[] = {
            {Setting::Sprache, FIELD(LanguageId), 0, {{-5, -5}, {1033, 1033}, {6, 6}}},
            {Setting::BlockTypes, FIELD(BlockTypes), 4, {{2, 3}, {3, 3}, {6, 6}, {7, 6}}},
            {Setting::BlocksToClick, FIELD(BlocksToClick), 2, {{1, 2}, {2, 2}, {4, 4}, {5, 4}}},
            {Setting::Cols, FIELD(Cols), 12, {{4, 5}, {5, 5}, {32767, 32767}, {-32768, 5}}},
            {Setting::Rows, FIELD(Rows), 7, {{4, 5}, {5, 5}, {32767, 32767}, {-32768, 5}}},
            {Setting::Blocks, FIELD(Blocks), 0, {{-1, 0}, {0, 0}, {13, 13}, {14, 13}}},
            {Setting::Board, FIELD(Board), 1, {{-1, 0}, {0, 0}, {8, 8}, {9, 8}}},
            {Setting::Background, FIELD(Background), 1, {{0, 0}, {-1, 1}, {1, 1}, {-32768, 1}}},
            {Setting::BGColor, FIELD(BGColor), 0, {{-1, 0}, {0, 0}, {15, 15}, {16, 15}}},
            {Setting::Sound, FIELD(Sound), 1, {{0, 0}, {1, 1}, {-1, 1}, {5, 1}}},
        };
#undef FIELD
        for (const Case& c : cases) {
            const SettingKey& key = settingKey(c.id);
            QFile::remove(path());
            GameSettings s;
            loadSetting(SettingsStore(path()), c.id, s);
            QCOMPARE(c.field(s), c.defaultValue);
            for (const auto& [stored, read] : c.storedToRead) {
                SettingsStore store(path());
                store.write(key.section, key.key, QString::number(stored));
                GameSettings loaded;
                loadSetting(SettingsStore(path()), c.id, loaded);
                QVERIFY2(c.field(loaded) == read, qPrintable(QStringLiteral("%1=%2 read as %3")
                                                                 .arg(key.key)
                                                                 .arg(stored)
                                                                 .arg(c.field(loaded))));
            }
        }
    }

    // A flag stores its language only when it changes it.
    void languageFlagStoresOnlyAChange() {
        SettingsStore store(path());
        GameSettings s;
        s.LanguageId = 2;
        QVERIFY(!setLanguage(store, s, 2));
        QVERIFY(!QFile::exists(path()));
        QVERIFY(setLanguage(store, s, 6));
        QCOMPARE(s.LanguageId, int16_t(6));
        QCOMPARE(SettingsStore(path()).read("Settings", "Sprache", "?"), QStringLiteral("6"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
