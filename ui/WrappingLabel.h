#pragma once

#include <QLabel>

class QTextLayout;

// A label that wraps between words and, where a word is longer than the line, inside the word,
// so that no part of a long file name is ever cut off at the edge.
class WrappingLabel : public QLabel {
    Q_OBJECT

public:
    explicit WrappingLabel(QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in lines of the given width; returns the height they take.
    qreal layOut(QTextLayout& layout, qreal width) const;
};
