#pragma once

#include <QWidget>

// A filled document sheet with a folded corner, in the colour of its text (its tone).
class DocumentIcon : public QWidget {
    Q_OBJECT

public:
    explicit DocumentIcon(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
