#include "Desktop.h"

#include <QMap>
#include <QProcess>

namespace {
constexpr int kToolTimeoutMs = 10000;
}

Desktop::Desktop(const QProcessEnvironment& environment) : environment_(environment) {}

QByteArray Desktop::run(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    tool.setProcessEnvironment(environment_);
    tool.start(program, arguments);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return tool.readAllStandardOutput();
}

QImage Desktop::grab(const QRect& area) const {
    QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-window"),
                          QStringLiteral("root")};
    if (area.isValid())
        arguments << QStringLiteral("-crop")
                  << QStringLiteral("%1x%2+%3+%4")
                         .arg(area.width())
                         .arg(area.height())
                         .arg(area.x())
                         .arg(area.y());
    arguments << QStringLiteral("ppm:-");
    return QImage::fromData(run(QStringLiteral("import"), arguments), "PPM")
        .convertToFormat(QImage::Format_RGB32);
}

void Desktop::click(const QPoint& position) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(position.x()), QString::number(position.y()),
         QStringLiteral("click"), QStringLiteral("1")});
}

void Desktop::moveMouse(const QPoint& position) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(position.x()),
                                    QString::number(position.y())});
}

void Desktop::typeText(const QString& text) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
}

void Desktop::pressKey(const QString& keyName) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), keyName});
}

void Desktop::focus(const QString& windowId) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), windowId});
}

QList<ScreenWindow> Desktop::windowsOf(qint64 pid) const {
    QList<ScreenWindow> windows;
    const QList<QByteArray> ids =
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--pid"), QString::number(pid)})
            .split('\n');
    for (const QByteArray& rawId : ids) {
        const QString id = QString::fromLatin1(rawId.trimmed());
        if (id.isEmpty())
            continue;
        ScreenWindow window{id, {}, {}};
        window.title = QString::fromUtf8(
            run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id}).trimmed());
        // --shell prints X=, Y=, WIDTH=, HEIGHT= lines in screen coordinates.
        QMap<QString, int> values;
        const QByteArray shell =
            run(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
        for (const QByteArray& line : shell.split('\n')) {
            const int equals = line.indexOf('=');
            if (equals > 0)
                values.insert(QString::fromLatin1(line.left(equals)), line.mid(equals + 1).toInt());
        }
        window.geometry =
            QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                  values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
        windows.append(window);
    }
    return windows;
}
