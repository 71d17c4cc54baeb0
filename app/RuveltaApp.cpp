#include "app/RuveltaApp.h"

#include <QApplication>

RuveltaApp::RuveltaApp()
    : contentView_(dialogs_)
    , window_(contentView_) {
    dialogs_.setParentWindow(&window_);
}

int RuveltaApp::run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvelta"));
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));
    RuveltaApp app;
    app.window().show();
    return QApplication::exec();
}
