#pragma once

#include <QColor>

class QApplication;
class QWidget;

// The window's colours, decided here from the system palette, light or dark. The named hues keep
// their roles; their shades are chosen for what stands behind them, so that text stays readable
// (at least 4.5:1) in any palette.
enum class Hue { label, secondary, blue, green, red, orange, gray };

// What a text or control stands on: the window itself, or a hue's tint over it.
struct Surface {
    Hue hue = Hue::label;
    double opacity = 0.0;
};
inline constexpr Surface windowSurface{};

// Drawn text loses contrast at its antialiased edges, the more the thinner it is, so shades aim
// above the 4.5:1 that text needs, and higher for text smaller than the body's.
enum class TextSize { regular, small };

// What a widget's text is: a hue on a surface, in a size. The shade is derived from the palette
// whenever it changes, light or dark.
struct Tone {
    Hue hue = Hue::label;
    Surface on = windowSurface;
    TextSize size = TextSize::regular;
};

namespace Theme {

// Completes the system palette: placeholder and disabled texts readable, a focus colour. Again
// whenever the system palette changes (a switch between light and dark), until the application
// goes.
void completePalette(QApplication& application);

// Gives the widget's text the tone's shade now and after every change of the palette.
void setTone(QWidget* widget, Tone tone);
// Derives the shade of every toned widget in `root` again.
void applyTones(QWidget* root);

bool isDark();
QColor window();
// The hue as fills and tints use it.
QColor fill(Hue hue);
// The surface's translucent paint, and the opaque colour it makes over the window.
QColor tint(Surface surface);
QColor background(Surface surface);
// The hue's shade that reads well on the surface.
QColor text(Hue hue, Surface surface = windowSurface, TextSize size = TextSize::regular);
QColor readableOn(const QColor& color, const QColor& background, TextSize size = TextSize::regular);

// The prominent button: a fill that carries white text, and its look while unavailable.
QColor accentFill();
QColor accentText();
QColor unavailableFill();
QColor unavailableText();
// Rings around focused controls and the borders of fields and buttons.
QColor focusRing();
QColor border();

// WCAG 2 contrast ratio of two opaque colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

} // namespace Theme
