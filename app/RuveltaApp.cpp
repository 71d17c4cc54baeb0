#include "app/RuveltaApp.h"

#include "app/DeferredIcon.h"
#include "app/QuitOnSignals.h"
#include "ui/AccessibleDocument.h"
#include "ui/AccessibleLineEdit.h"
#include "ui/AppStyle.h"
#include "ui/QtTranslations.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

namespace {

QIcon appIcon() {
    QList<QSize> sizes;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        sizes.append(QSize(side, side));
    return deferredIcon(sizes, [sizes] {
        QIcon icon;
        for (const QSize& size : sizes)
            icon.addFile(QStringLiteral(":/icons/ruvelta-%1.png").arg(size.width()), size);
        return icon;
    });
}

const QString windowGeometryKey = QStringLiteral("window/geometry");

// Beside the save dialogs' folder.
QSettings windowSettings() {
    return QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
}

} // namespace

RuveltaApp::RuveltaApp()
    : contentView_(dialogs_)
    , window_(contentView_) {
    dialogs_.setParentWindow(&window_);
    // Said outright: an empty title leaves the X window's plain name (WM_NAME) empty.
    window_.setWindowTitle(QApplication::applicationDisplayName());
    // Qt moves a place no screen shows back onto the screen it was on, or the primary one.
    window_.restoreGeometry(windowSettings().value(windowGeometryKey).toByteArray());
}

RuveltaApp::~RuveltaApp() {
    windowSettings().setValue(windowGeometryKey, window_.saveGeometry());
}

void RuveltaApp::setUpApplication() {
    Q_INIT_RESOURCE(icons);
    // The window's title and its X class; the desktop file name lets the desktop match the
    // window with its launcher.
    QApplication::setApplicationName(QStringLiteral("Ruvelta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ruvelta"));
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.quessor.Ruvelta"));
    QApplication::setWindowIcon(appIcon());
    installQtTurkishTranslations();
    installAccessibleLineEdits();
    installAccessibleDocuments();
    QApplication::setStyle(new AppStyle);
    Theme::completePalette(*qApp);
}

int RuveltaApp::run(int argc, char** argv) {
    QApplication application(argc, argv);
    quitOnTerminationSignals();
    setUpApplication();
    RuveltaApp app;
    app.window().show();
    return QApplication::exec();
}
