#pragma once

#include <QTimer>
#include <QWidget>

// A circular, indeterminate activity indicator. It animates only while shown.
class Spinner : public QWidget {
    Q_OBJECT

public:
    explicit Spinner(const QColor& color, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QColor color_;
    QTimer timer_;
    int phase_ = 0;
};
