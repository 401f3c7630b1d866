#pragma once

#include "game/BoardView.h"
#include "game/SoundSink.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tavro::test {

// Recording fake of the board view and the sound sink: every call becomes one
// line of `events`. Hooks let a test act inside a Pause or the high-score dialog.
class RecordingView : public BoardView, public SoundSink {
public:
    QStringList events;
    std::function<void(double)> onPause;
    std::function<void()> onHighscore;
    int pauses = 0;

    void drawFromStrip(int type, int x, int y) override {
        events << QStringLiteral("draw %1 %2 %3").arg(type).arg(x).arg(y);
    }
    void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) override {
        events << QStringLiteral("erase %1 %2 %3 %4").arg(srcX).arg(srcY).arg(x).arg(y);
    }
    void refreshBoard() override { events << QStringLiteral("refresh"); }
    void Pause(double seconds) override {
        ++pauses;
        events << QStringLiteral("pause %1").arg(seconds);
        if (onPause)
            onPause(seconds);
    }
    void showScore(int64_t score) override { events << QStringLiteral("score %1").arg(score); }
    void showLeft(int left) override { events << QStringLiteral("left %1").arg(left); }
    void showHighscore() override {
        events << QStringLiteral("highscore");
        if (onHighscore)
            onHighscore();
    }
    void PlayWAV(int id) override { events << QStringLiteral("sound %1").arg(id); }

    QStringList only(const QString& prefix) const {
        QStringList picked;
        for (const QString& e : events)
            if (e.startsWith(prefix))
                picked << e;
        return picked;
    }
};

} // namespace tavro::test
