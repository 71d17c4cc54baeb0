// The real dialogs, driven as a person drives them: keys where the focus really is, clicks on
// the real buttons, double-clicks in the file list.
#include "core/ContentView.h"
#include "support/PersonAtModals.h"
#include "support/RunWaiting.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtTranslations.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <unistd.h>

namespace {

const QByteArray oldBytes = "the DER file that was there before";

enum class Accept { returnKey, saveButton, doubleClick };
enum class Answer { none, yes, no };

const SaveDialogRequest saveRequest{
    QStringLiteral("DER Dosyasını Kaydet"),
    QStringLiteral("DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
    QStringLiteral("certificate.der"), QStringLiteral("der")};

QFileDialog* fileDialog(QWidget* window) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    if (!dialog)
        qWarning("not a file dialog");
    return dialog;
}

QAbstractButton* acceptButton(QWidget* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
            return button;
    }
    return nullptr;
}

// Replaces the proposed name the way a person does: select all, type, confirm.
void typeName(const QString& name, Accept accept, QWidget* dialog) {
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeIntoFocus(name);
    if (accept == Accept::returnKey)
        pressKey(Qt::Key_Return);
    else
        QTest::mouseClick(acceptButton(dialog), Qt::LeftButton);
}

// Types a folder's path and Return: the dialog opens it. The dialogs open where the last one
// was left, so each case starts by going to its own folder.
void openFolder(const QString& folder, QWidget* dialog) {
    if (fileDialog(dialog)->directory().absolutePath() != folder)
        typeName(folder, Accept::returnKey, dialog);
    QCOMPARE(fileDialog(dialog)->directory().absolutePath(), folder);
}

// Double-clicks the file's row in the list, once the dialog has read the folder.
void doubleClickFile(QFileDialog* dialog, const QString& path) {
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = dialog->findChild<QFileSystemModel*>();
    QModelIndex index;
    QVERIFY(QTest::qWaitFor([&] {
        index = files->index(path);
        if (QAbstractProxyModel* shown = dialog->proxyModel())
            index = shown->mapFromSource(index);
        return index.isValid() && !view->visualRect(index).isEmpty();
    }));
    const QPoint where = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
}

// Every text a dialog shows a person: labels, buttons, tips, menu entries, list entries,
// every column, column headers and its title.
QStringList shownTexts(QWidget* root) {
    QStringList texts{root->windowTitle()};
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        texts << widget->toolTip() << widget->accessibleName();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* box = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            QAbstractItemModel* model = view->model();
            for (int column = 0; column < model->columnCount(); ++column)
                texts << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
                    texts << model->index(row, column, view->rootIndex()).data().toString();
            }
        }
        for (QAction* action : widget->actions())
            texts << action->text() << action->toolTip();
    }
    return texts;
}

// Qt's stock English, as its dialogs, message boxes and text-field menus say it untranslated.
QStringList englishLeftIn(const QStringList& texts) {
    static const QRegularExpression english(QStringLiteral(
        "\\b(Look in|File name|Files of type|All Files|Save|Open|Cancel|Computer|Yes|No|Undo|"
        "Redo|Cut|Copy|Paste|Delete|Select All|Back|Forward|Parent Directory|Create New Folder|"
        "New Folder|List View|Detail View|Name|Size|Type|Date Modified|Rename|Show hidden files|"
        "Recent Places|already exists|replace|bytes|Folder|File|certificate|Dec)\\b"));
    QStringList found;
    for (QString text : texts) {
        text.remove(u'&');
        if (english.match(text).hasMatch())
            found << text;
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Accept)
Q_DECLARE_METATYPE(Answer)

class FileDialogsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir base_;
    QString folder_;
    int caseNumber_ = 0;

    QString path(const QString& name) const { return folder_ + u'/' + name; }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(base_.isValid());
        QVERIFY2(installQtTurkishTranslations(), "Qt's Turkish translations are not installed");
        // Where the last save went is remembered here, not in the person's own settings.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base_.filePath("config")));
    }

    // A folder of its own for each case, holding server.der (dated in December, a month whose
    // English name shows) and a sub-folder; the working folder.
    void init() {
        folder_ = base_.filePath(QString::number(++caseNumber_));
        writeTestFile(path("server.der"), oldBytes);
        QFile old(path("server.der"));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime(QDate(2025, 12, 7), QTime(10, 30)),
                                QFileDevice::FileModificationTime));
        QVERIFY(QDir().mkpath(path("sub")));
        QVERIFY(QDir::setCurrent(folder_));
    }

    void nothingIsReplacedWithoutAYes_data() {
        QTest::addColumn<QString>("typed"); // empty: double-click server.der in the list
        QTest::addColumn<Accept>("accept");
        QTest::addColumn<Answer>("answer");   // none: no question may come
        QTest::addColumn<QString>("written"); // the file chosen in the end; empty: cancelled

        QTest::newRow("server.pem, Return, no")
            << "server.pem" << Accept::returnKey << Answer::no << QString();
        QTest::newRow("server.pem, Return, yes")
            << "server.pem" << Accept::returnKey << Answer::yes << "server.der";
        QTest::newRow("server, Return, no")
            << "server" << Accept::returnKey << Answer::no << QString();
        QTest::newRow("server, save button, yes")
            << "server" << Accept::saveButton << Answer::yes << "server.der";
        QTest::newRow("server.der, Return, no")
            << "server.der" << Accept::returnKey << Answer::no << QString();
        QTest::newRow("server.pem, save button, no")
            << "server.pem" << Accept::saveButton << Answer::no << QString();
        QTest::newRow("double-click server.der, no")
            << QString() << Accept::doubleClick << Answer::no << QString();
        QTest::newRow("double-click server.der, yes")
            << QString() << Accept::doubleClick << Answer::yes << "server.der";
        // Another file on a case-sensitive file system: nothing to ask.
        QTest::newRow("SERVER.DER, Return")
            << "SERVER.DER" << Accept::returnKey << Answer::none << "SERVER.DER";
        QTest::newRow(".pem becomes .pem.der")
            << ".pem" << Accept::returnKey << Answer::none << ".pem.der";
    }

    void nothingIsReplacedWithoutAYes() {
        QFETCH(QString, typed);
        QFETCH(Accept, accept);
        QFETCH(Answer, answer);
        QFETCH(QString, written);

        PersonAtModals person;
        QString question;
        person.at("QFileDialog", [&](QWidget* window) {
            QFileDialog* dialog = fileDialog(window);
            // The name field has the focus as the dialog opens.
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("fileNameEdit"));
            openFolder(folder_, window);
            if (accept == Accept::doubleClick)
                doubleClickFile(dialog, path("server.der"));
            else
                typeName(typed, accept, dialog);
        });
        if (answer != Answer::none) {
            person.at("QMessageBox", [&](QWidget* window) {
                auto* box = qobject_cast<QMessageBox*>(window);
                question = box->text();
                QTest::mouseClick(
                    box->button(answer == Answer::yes ? QMessageBox::Yes : QMessageBox::No),
                    Qt::LeftButton);
            });
        }
        if (answer == Answer::no) {
            // The dialog comes back to choose again; the person gives up.
            person.at("QFileDialog", [](QWidget*) { pressKey(Qt::Key_Escape); });
        }

        QtFileDialogs dialogs;
        const std::optional<QUrl> chosen = dialogs.chooseFileToSave(saveRequest);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(person.stepsLeft(), 0);

        if (answer != Answer::none)
            QCOMPARE(question, QStringLiteral("server.der zaten var.\n"
                                              "Değiştirmek istiyor musunuz?"));
        if (written.isEmpty())
            QCOMPARE(chosen, std::nullopt);
        else
            QCOMPARE(chosen, std::optional<QUrl>(QUrl::fromLocalFile(path(written))));
        // The dialog itself writes nothing.
        QCOMPARE(readTestFile(path("server.der")), oldBytes);
    }

    // Refused in the dialog, which stays open to choose again: a file the person may not
    // replace, a new file where no new file can go.
    void whatCannotBeWrittenIsRefusedInTheDialog_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("locked"); // made read-only first, as an ordinary user feels it
        QTest::addColumn<QString>("reason");
        QTest::newRow("a file that may not be written")
            << "server"
            << "server.der"
            << "server.der dosyasını değiştirme izniniz yok";
        QTest::newRow("a folder that may not be written") << "kilitli/yeni"
                                                          << "kilitli"
                                                          << "klasörüne yazma izniniz yok";
        QTest::newRow("a folder that is not there") << "yok/yeni"
                                                    << ""
                                                    << "/yok klasörü yok.";
        QTest::newRow("a folder that is a file") << "server.der/yeni"
                                                 << ""
                                                 << "bir klasör değil";
    }

    void whatCannotBeWrittenIsRefusedInTheDialog() {
        QFETCH(QString, typed);
        QFETCH(QString, locked);
        QFETCH(QString, reason);
        if (!locked.isEmpty()) {
            if (geteuid() == 0)
                QSKIP("root may write anywhere: run as an ordinary user by "
                      "tst_filedialogs_as_user");
            QDir(folder_).mkpath(QStringLiteral("kilitli"));
            QVERIFY(QFile::setPermissions(path(locked),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        PersonAtModals person;
        QString said;
        person.at("QFileDialog", [&](QWidget* window) {
            openFolder(folder_, window);
            typeName(typed, Accept::returnKey, fileDialog(window));
        });
        person.at("QMessageBox", [&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            said = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        // The dialog is back to choose again; the person gives up.
        person.at("QFileDialog", [](QWidget*) { pressKey(Qt::Key_Escape); });

        QtFileDialogs dialogs;
        QCOMPARE(dialogs.chooseFileToSave(saveRequest), std::nullopt);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(person.stepsLeft(), 0);
        QVERIFY2(said.contains(reason), qPrintable(said));
    }

    void foldersTypedInTheNameFieldAreOpened() {
        PersonAtModals person;
        QString inSub;
        QString backUp;
        person
            .at("QFileDialog",
                [&](QWidget* window) {
                    openFolder(folder_, window);
                    typeName(QStringLiteral("sub"), Accept::returnKey, window);
                    inSub = fileDialog(window)->directory().absolutePath();
                })
            .at("QFileDialog",
                [&](QWidget* window) {
                    typeName(QStringLiteral(".."), Accept::returnKey, window);
                    backUp = fileDialog(window)->directory().absolutePath();
                })
            .at("QFileDialog", [](QWidget*) { pressKey(Qt::Key_Escape); });
        QtFileDialogs dialogs;
        QCOMPARE(dialogs.chooseFileToSave(saveRequest), std::nullopt);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(inSub, path("sub"));
        QCOMPARE(backUp, folder_);
    }

    void dialogsOpenWhereTheyAreUseful() {
        // The open dialog offers PEM certificates first; the save dialog opens where the last
        // file was saved, also by an earlier window, else in the working folder.
        QStringList filters;
        QStringList openedIn;
        const auto openedAndLeft = [&](QWidget* window) {
            openedIn << fileDialog(window)->directory().absolutePath();
            pressKey(Qt::Key_Escape);
        };
        PersonAtModals person;
        person
            .at("QFileDialog",
                [&](QWidget* window) {
                    filters = fileDialog(window)->nameFilters();
                    pressKey(Qt::Key_Escape);
                })
            .at("QFileDialog",
                [&](QWidget* window) {
                    openFolder(path("sub"), window);
                    typeName(QStringLiteral("a.der"), Accept::returnKey, window);
                })
            .at("QFileDialog", openedAndLeft)
            .at("QFileDialog", openedAndLeft);
        QCOMPARE(QtFileDialogs().chooseFileToOpen({}), std::nullopt);
        QCOMPARE(QtFileDialogs().chooseFileToSave(saveRequest),
                 std::optional(QUrl::fromLocalFile(path("sub/a.der"))));
        QCOMPARE(QtFileDialogs().chooseFileToSave(saveRequest), std::nullopt);
        QVERIFY(QDir(path("sub")).removeRecursively());
        QCOMPARE(QtFileDialogs().chooseFileToSave(saveRequest), std::nullopt);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(filters,
                 (QStringList{"PEM sertifikaları (*.pem *.crt *.cer)", "Tüm Dosyalar (*)"}));
        QCOMPARE(openedIn, (QStringList{path("sub"), folder_}));
    }

    void yesReplacesAndNoKeepsTheFileThroughTheWholeRun() {
        QTemporaryDir work;
        qputenv("TMPDIR", QFile::encodeName(work.path()));
        TestCertificates certificates;
        QCOMPARE(certificates.create(work.filePath("certificates")), QString());

        QtFileDialogs dialogs;
        ContentView view(dialogs);
        PersonAtModals person;
        person.at("QFileDialog", [&](QWidget* window) {
            typeName(certificates.leafPem, Accept::returnKey, window);
        });
        view.selectPemFile();
        QCOMPARE(view.selectedPemFile(), QUrl::fromLocalFile(certificates.leafPem));

        // "No" keeps the file and the run ends as cancelled.
        person
            .at("QFileDialog",
                [&](QWidget* window) {
                    openFolder(folder_, window);
                    typeName(QStringLiteral("server.pem"), Accept::returnKey, window);
                })
            .at("QMessageBox",
                [](QWidget* window) {
                    QTest::mouseClick(qobject_cast<QMessageBox*>(window)->button(QMessageBox::No),
                                      Qt::LeftButton);
                })
            .at("QFileDialog", [](QWidget*) { pressKey(Qt::Key_Escape); });
        view.startConversion();
        QVERIFY(waitForRunEnd(view));
        QCOMPARE(view.statusMessage(), QStringLiteral("Kaydetme iptal edildi"));
        QCOMPARE(readTestFile(path("server.der")), oldBytes);

        // "Yes" replaces it with the certificate.
        person
            .at("QFileDialog",
                [&](QWidget* window) {
                    openFolder(folder_, window);
                    typeName(QStringLiteral("server.pem"), Accept::returnKey, window);
                })
            .at("QMessageBox", [](QWidget* window) {
                QTest::mouseClick(qobject_cast<QMessageBox*>(window)->button(QMessageBox::Yes),
                                  Qt::LeftButton);
            });
        view.startConversion();
        QVERIFY(QTest::qWaitFor([&] { return view.statusMessage() != "Kaydetme iptal edildi"; },
                                15000));
        QCOMPARE(view.statusMessage(), succeededStatus("server.der"));
        QCOMPARE(readTestFile(path("server.der")), derOfPemFile(certificates.leafPem));
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(person.stepsLeft(), 0);
    }

    void everyTextOfTheDialogsIsTurkish() {
        QStringList english;
        PersonAtModals person;
        person
            .at("QFileDialog",
                [&](QWidget* window) {
                    openFolder(folder_, window);
                    english << englishLeftIn(shownTexts(window));
                    typeName(QStringLiteral("server.der"), Accept::returnKey, window);
                })
            .at("QMessageBox",
                [&](QWidget* window) {
                    english << englishLeftIn(shownTexts(window));
                    QTest::mouseClick(qobject_cast<QMessageBox*>(window)->button(QMessageBox::No),
                                      Qt::LeftButton);
                })
            .at("QFileDialog", [](QWidget*) { pressKey(Qt::Key_Escape); })
            .at("QFileDialog", [&](QWidget* window) {
                openFolder(folder_, window);
                english << englishLeftIn(shownTexts(window));
                pressKey(Qt::Key_Escape);
            });
        QtFileDialogs dialogs;
        QCOMPARE(dialogs.chooseFileToSave(saveRequest), std::nullopt);
        QCOMPARE(dialogs.chooseFileToOpen({QStringLiteral("PEM Dosyası Seçin"),
                                           QStringLiteral("SSL sertifikası içeren PEM dosyasını "
                                                          "seçin")}),
                 std::nullopt);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QCOMPARE(person.stepsLeft(), 0);

        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList menuTexts;
        for (QAction* action : menu->actions())
            menuTexts << action->text();
        QVERIFY(menuTexts.size() > 5);
        english << englishLeftIn(menuTexts);
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
    }

    void dialogsOpenWithTheirColumnsWhole_data() {
        QTest::addColumn<double>("fontScale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("larger font") << 1.25;
    }

    void dialogsOpenWithTheirColumnsWhole() {
        QFETCH(double, fontScale);
        const QFont usual = QApplication::font();
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() * fontScale);
        QApplication::setFont(font);
        const auto restoreFont = qScopeGuard([usual] { QApplication::setFont(usual); });
        writeTestFile(path("a rather long certificate file name.der"), QByteArray(81400, 'x'));
        PersonAtModals person;
        QStringList cut;
        person.at("QFileDialog", [&](QWidget* window) {
            openFolder(folder_, window);
            auto* tree = window->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QAbstractItemView* view = tree;
            QVERIFY(QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()); }));
            QApplication::processEvents();
            QHeaderView* header = tree->header();
            int total = 0;
            for (int column = 0; column < header->count(); ++column) {
                const int needed =
                    qMax(header->sectionSizeHint(column), view->sizeHintForColumn(column));
                if (header->sectionSize(column) < needed)
                    cut << QStringLiteral("column %1: %2 of %3 px")
                               .arg(column)
                               .arg(header->sectionSize(column))
                               .arg(needed);
                total += header->sectionSize(column);
            }
            if (total > view->viewport()->width())
                cut << QStringLiteral("%1 px of columns in %2 px")
                           .arg(total)
                           .arg(view->viewport()->width());
            auto* sidebar = window->findChild<QListView*>(QStringLiteral("sidebar"));
            if (sidebar->sizeHintForColumn(0) > sidebar->viewport()->width())
                cut << QStringLiteral("places: %1 of %2 px")
                           .arg(sidebar->viewport()->width())
                           .arg(sidebar->sizeHintForColumn(0));
            pressKey(Qt::Key_Escape);
        });
        QtFileDialogs dialogs;
        dialogs.chooseFileToSave(saveRequest);
        QVERIFY2(person.problems.isEmpty(), qPrintable(person.problems.join(u'\n')));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(FileDialogsTest)
#include "tst_filedialogs.moc"
