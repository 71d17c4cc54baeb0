#include "support/TestWindow.h"

#include "ui/AppStyle.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <memory>
#include <optional>

Window::Window(const QString& toolPath, RunTimings timings)
    : view(dialogs, toolPath, timings)
    , root(view) {
    root.show();
    if (!QTest::qWaitForWindowExposed(&root))
        qWarning("the window was not shown");
}

QImage Window::pixelsOf(QWidget* widget) {
    return pixelsOf(widget, widget->rect());
}

QImage Window::pixelsOf(QWidget* widget, const QRect& area) {
    QCoreApplication::processEvents();
    const QImage whole = root.grab().toImage();
    const QRect inRoot(widget->mapTo(&root, area.topLeft()), area.size());
    const qreal ratio = whole.devicePixelRatio();
    return whole.copy(QRect(inRoot.topLeft() * ratio, inRoot.size() * ratio));
}

QString Window::shownStatus() {
    auto* mark = find<QLabel>("statusMark");
    const QString message = find<SelectableText>("statusMessage")->text();
    return mark->isVisibleTo(&root) ? mark->text() + u' ' + message : message;
}

QImage Window::textPixelsOf(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return pixelsOf(field, field->rect().adjusted(12, 6, -12, -6));
    if (auto* log = qobject_cast<QPlainTextEdit*>(widget)) {
        // The first line's stamp: text in the log's own colour, on its tint, nothing else.
        const QFontMetrics metrics = log->fontMetrics();
        const QPoint corner = log->viewport()->mapTo(log, QPoint(8, 8));
        return pixelsOf(
            log, QRect(corner, QSize(metrics.horizontalAdvance("[00:00:00]"), metrics.height())));
    }
    QString text;
    Qt::Alignment alignment = Qt::AlignCenter;
    QRect area = widget->rect();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        text = button->text();
        // An icon stands before the text, four pixels apart, the two centred together.
        if (!button->icon().isNull()) {
            const int icon = button->iconSize().width() + 4;
            const int full = QFontMetrics(button->font()).horizontalAdvance(text) + icon;
            area.setLeft(area.center().x() - full / 2 + icon);
            area.setWidth(full - icon);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
        alignment = label->alignment();
        area = label->contentsRect();
    }
    // Past a leading emoji and its blank: the emoji has colours of its own.
    const qsizetype blank = text.indexOf(u' ');
    if (blank > 0 && !text.front().isLetterOrNumber()) {
        const QFontMetrics metrics(widget->font());
        const int full = metrics.horizontalAdvance(text);
        const int left = alignment & Qt::AlignHCenter ? area.center().x() - full / 2 : area.left();
        area.setLeft(qMax(area.left(), left + metrics.horizontalAdvance(text.first(blank + 1))));
        if (alignment & Qt::AlignHCenter)
            area.setRight(qMin(area.right(), left + full));
    }
    return pixelsOf(widget, area);
}

QPalette systemPalette(Palette palette) {
    QPalette base =
        std::unique_ptr<QStyle>(QStyleFactory::create(QStringLiteral("Fusion")))->standardPalette();
    if (palette == Palette::dark) {
        // As GTK's Adwaita dark theme gives it.
        base.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        base.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEC));
        base.setColor(QPalette::Base, QColor(0x2D, 0x2D, 0x2D));
        base.setColor(QPalette::AlternateBase, QColor(0x3A, 0x3A, 0x3A));
        base.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEC));
        base.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
        base.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEC));
        base.setColor(QPalette::PlaceholderText, QColor(0x91, 0x91, 0x90));
        base.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x91, 0x91, 0x90));
        base.setColor(QPalette::Disabled, QPalette::Text, QColor(0x91, 0x91, 0x90));
        base.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x91, 0x91, 0x90));
    }
    return base;
}

void applyLook(Palette palette) {
    if (!qobject_cast<AppStyle*>(QApplication::style()))
        QApplication::setStyle(new AppStyle);
    QApplication::setPalette(systemPalette(palette));
    Theme::completePalette(*qApp);
}

QStringList cutTexts(QWidget* root) {
    QStringList cut;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        QString text;
        int room = 0;
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->hasHeightForWidth()) {
            text = withoutMnemonic(label->text());
            room = label->contentsRect().width();
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            text = withoutMnemonic(button->text());
            room = button->style()
                       ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                       .width() -
                   (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
        } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            QStyleOptionFrame option;
            option.initFrom(field);
            text = field->text().isEmpty() ? field->placeholderText() : field->text();
            // QLineEdit keeps two pixels on each side of its text.
            room = field->style()
                       ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                       .width() -
                   4;
        }
        if (!text.isEmpty() && widget->fontMetrics().horizontalAdvance(text) > room)
            cut << text;
    }
    return cut;
}

double textContrast(const QImage& pixels) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x)
            ++counts[pixels.pixel(x, y) | 0xFF000000];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    // The strokes: pixels clearly apart from the background. Their edges blend into it, so the
    // text's colour is what the strongest of them show; a tenth of them is at least that strong.
    QList<double> strokes;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double contrast = Theme::contrastRatio(QColor(it.key()), QColor(background));
        if (contrast >= 1.2)
            strokes.append(QList<double>(it.value(), contrast));
    }
    if (strokes.isEmpty())
        return 1.0;
    std::sort(strokes.begin(), strokes.end());
    return strokes[strokes.size() * 9 / 10];
}
