#include "app/RuveltaApp.h"

#include "ui/QtTranslations.h"

#include <QApplication>
#include <QIcon>

RuveltaApp::RuveltaApp()
    : contentView_(dialogs_)
    , window_(contentView_) {
    dialogs_.setParentWindow(&window_);
}

int RuveltaApp::run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvelta"));
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));
    installQtTurkishTranslations();
    // Lets the desktop match the window with its launcher and icon.
    QApplication::setDesktopFileName(QStringLiteral("com.quessor.Ruvelta"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.quessor.Ruvelta")));
    RuveltaApp app;
    app.window().show();
    return QApplication::exec();
}
