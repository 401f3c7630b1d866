// tavro-store-writer <store file> seed|options|scores
// seed: an old state (options and five high scores); options: an options OK
// with every value changed; scores: a new best result that moves all five.
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/HighScoreTable.h"

#include <QCoreApplication>

using namespace tavro;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    SettingsStore store(args[1]);
    store.open();
    GameSettings s{12, 7, 20, 15, 2, 4, 50, 50, 0, 0, 1, true, true, 0};
    const QString mode = args[2];
    if (mode == "seed") {
        saveSettings(store, s,
                     {Setting::BlockTypes, Setting::BlocksToClick, Setting::Cols, Setting::Rows,
                      Setting::Background, Setting::BGColor, Setting::Sound});
        HighScoreTable table;
        for (int slot = 1; slot <= HighScoreTable::kSlots; ++slot)
            table.setEntry(slot, {QStringLiteral("Old%1").arg(slot), 600 - 100 * slot, slot, true});
        table.write(store, s);
    } else if (mode == "options") {
        const GameSettings changed{20, 15, 20, 15, 3, 5, 50, 50, 0, 9, 1, false, false, 0};
        saveSettings(store, changed,
                     {Setting::BlockTypes, Setting::BlocksToClick, Setting::Cols, Setting::Rows,
                      Setting::Background, Setting::BGColor, Setting::Sound});
    } else if (mode == "scores") {
        HighScoreTable table;
        table.read(store, s);
        table.insert(1, {QStringLiteral("New"), 999, 3, true});
        table.write(store, s);
    } else {
        return 2;
    }
    return 0;
}
