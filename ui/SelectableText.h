#pragma once

#include <QTextEdit>

// Text shown as a label shows it, wrapping between words and, where a word is longer than the
// line, inside the word, that can also be selected and copied: with the mouse, or with the keys
// once clicked into. Qt's own text editing does the selecting, copying and its menu.
class SelectableText : public QTextEdit {
    Q_OBJECT

public:
    explicit SelectableText(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text);

    // Asks for the height all its lines take at the width it has, as its least: it never
    // scrolls inside. Layouts then need not work out heights for widths.
    void setTallAsText(bool tall);

    bool hasHeightForWidth() const override { return !tallAsText_; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool tallAsText_ = false;
};
