#include "support/TestWindow.h"

#include "ui/Theme.h"

#include <QApplication>
#include <QHash>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <memory>
#include <optional>

Window::Window(const QString& toolPath)
    : view(dialogs, toolPath)
    , root(view) {
    root.show();
    if (!QTest::qWaitForWindowExposed(&root))
        qWarning("the window was not shown");
}

QImage Window::pixelsOf(QWidget* widget) {
    QCoreApplication::processEvents();
    const QImage whole = root.grab().toImage();
    const QRect area(widget->mapTo(&root, QPoint(0, 0)), widget->size());
    const qreal ratio = whole.devicePixelRatio();
    return whole.copy(QRect((area.topLeft() * ratio), area.size() * ratio));
}

void applyLook(Palette palette) {
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
    QApplication::setPalette(base);
    Theme::apply(*qApp);
}

double textContrast(const QImage& pixels) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x)
            ++counts[pixels.pixel(x, y) | 0xFF000000];
    }
    const auto mostCommon = [&](auto&& counted) {
        QRgb best = 0;
        int bestCount = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (counted(it.key()) && it.value() > bestCount) {
                best = it.key();
                bestCount = it.value();
            }
        }
        return bestCount < 0 ? std::optional<QRgb>() : std::optional<QRgb>(best);
    };
    const std::optional<QRgb> background = mostCommon([](QRgb) { return true; });
    // Strokes: clearly apart from the background; their edges blend into it.
    const std::optional<QRgb> ink = mostCommon([&](QRgb colour) {
        return Theme::contrastRatio(QColor(colour), QColor(*background)) >= 1.5;
    });
    return ink ? Theme::contrastRatio(QColor(*ink), QColor(*background)) : 1.0;
}
