#pragma once

#include <QColor>
#include <QFrame>

// A container drawn as a tinted, antialiased rounded rectangle behind its children.
class RoundedBox : public QFrame {
    Q_OBJECT

public:
    RoundedBox(const QColor& fill, qreal radius, QWidget* parent = nullptr);

    void setFill(const QColor& fill);
    QColor fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    qreal radius_;
};
