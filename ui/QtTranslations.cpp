#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Words Qt asks for that its Turkish catalogue does not have yet (the file dialog's type column).
class MissingQtWords : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        if (qstrcmp(sourceText, "Folder") == 0)
            return QStringLiteral("Klasör");
        if (qstrcmp(sourceText, "Drive") == 0)
            return QStringLiteral("Sürücü");
        return {};
    }

    bool isEmpty() const override { return false; }
};

} // namespace

bool installQtTurkishTranslations() {
    // File types in the dialogs and numbers and dates Qt formats by default read in Turkish.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QCoreApplication::installTranslator(new MissingQtWords(QCoreApplication::instance()));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_tr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
