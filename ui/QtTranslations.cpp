#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Words Qt asks for that its Turkish catalogue does not have yet (the file dialog's type column);
// their Turkish is in the app's own catalogue.
[[maybe_unused]] const char* const missingQtWords[] = {
    QT_TRANSLATE_NOOP("QAbstractFileIconProvider", "Folder"),
    QT_TRANSLATE_NOOP("QAbstractFileIconProvider", "Drive"),
};

// Loads `name` from `folder` and installs it; false when there is no such catalogue.
bool install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool installQtTurkishTranslations() {
    // File types in the dialogs and numbers and dates Qt formats by default read in Turkish.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    // Asked last, so first: the app's own words over Qt's.
    const bool qtInstalled =
        install(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(QStringLiteral("ruvelta_tr"), QStringLiteral(":/i18n"));
    return qtInstalled;
}
