#pragma once

#include "core/ContentView.h"
#include "support/ScriptedFileDialogs.h"
#include "ui/RootColumn.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QStringList>

// A window over its own converter, with dialogs answered by script, shown on the test screen.
struct Window {
    explicit Window(const QString& toolPath = QStringLiteral("/usr/bin/openssl"),
                    RunTimings timings = RunTimings());

    template <typename T = QWidget> T* find(const char* name) {
        T* widget = root.findChild<T*>(QLatin1String(name));
        if (!widget)
            qWarning("no widget named %s", name);
        return widget;
    }
    bool shown(const char* name) { return find(name) && find(name)->isVisible(); }
    // The status message as a person reads it, the mark beside it included.
    QString shownStatus();
    // The window as drawn, cut to where the widget stands in it.
    QImage pixelsOf(QWidget* widget);
    QImage pixelsOf(QWidget* widget, const QRect& area);
    // The same, cut to the widget's text: inside a field's edge, a button's face or the
    // log's time stamps, and past the emoji a text begins with.
    QImage textPixelsOf(QWidget* widget);

    ScriptedFileDialogs dialogs;
    ContentView view;
    RootColumn root;
};

// The app's look for the given palette: light (the style's own) or a dark one like GTK's
// Adwaita dark, as the system would hand it to the application.
enum class Palette { light, dark };
QPalette systemPalette(Palette palette);
void applyLook(Palette palette);

// The texts shown in less room than they take: a label, a button's or a field's, cut at its
// edge. Labels that wrap are never cut.
QStringList cutTexts(QWidget* root);

// What a person sees of a text: the contrast ratio between the colour most of its area shows
// (what stands behind it) and the colour its strokes show.
double textContrast(const QImage& pixels);
