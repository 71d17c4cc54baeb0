#pragma once

#include <QColor>
#include <QWidget>

// A filled document sheet with a folded corner.
class DocumentIcon : public QWidget {
    Q_OBJECT

public:
    explicit DocumentIcon(const QColor& color, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};
