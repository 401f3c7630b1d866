#pragma once

#include <QPixmap>
#include <QWidget>

namespace tavro {

// imgLang: a clickable language flag of 32 x 20.
class FlagImage : public QWidget {
    Q_OBJECT

public:
    FlagImage(int languageId, const QPixmap& picture, QWidget* parent = nullptr);

    int languageId() const { return languageId_; }

signals:
    void clicked(int languageId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int languageId_;
    QPixmap picture_;
};

} // namespace tavro
