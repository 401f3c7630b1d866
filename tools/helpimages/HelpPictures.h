#pragma once

#include <QDir>
#include <QImage>
#include <QList>
#include <QPoint>

class ExampleBoard;

// Composes the pictures of the help from the game's artwork: an overview of
// the main window, the steps of one move, the displays, the toolbar and the
// contents of the two picker dialogs. Every picture depends only on the
// artwork and fixed example data, so the output is the same on every run.
class HelpPictures {
public:
    HelpPictures(const QDir& resources, const QDir& output);

    // Writes every picture; false when an artwork file is missing or a
    // picture cannot be written (the reason is printed).
    bool writeAll();

private:
    QImage load(const QString& relative);
    bool save(const QImage& image, const QString& name, int quality = -1);
    bool copy(const QString& relative, const QString& name);

    QImage blockStrip(int set);
    QImage window();
    QList<QImage> moveSteps();
    QImage boardPicture(const ExampleBoard& board, const QImage& strip, const QImage& ground,
                        int cell) const;
    void paintDisplays(QPainter& painter, QPoint origin, int score, int left);
    void paintToolbar(QPainter& painter, QPoint origin);
    QImage displays();
    QImage toolbar();
    QImage blockSets();
    QImage backgrounds();

    QDir resources_;
    QDir output_;
    bool ok_ = true;
};
