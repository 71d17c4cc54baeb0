#include "ui/QtFileDialogs.h"

#include "core/FailureReasons.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/ShownTime.h"
#include "ui/FocusKeeper.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSpacerItem>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>

namespace {

const QString lastSaveFolderKey = QStringLiteral("lastSaveFolder");

// Wide enough for the name and the size, type and date columns side by side, in text lines of
// the dialog's font, so larger fonts get a larger dialog.
constexpr QSize preferredDialogLines(72, 40);

// Each column as wide as its header and what it shows, the name taking what room is left; where
// the list is too narrow for them all it scrolls sideways rather than cutting names short.
void fitColumns(QFileDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView* header = tree->header();
    const QAbstractItemView* view = tree;
    const auto needed = [&](int column) {
        return qMax(header->sectionSizeHint(column), view->sizeHintForColumn(column));
    };
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
        const int width = needed(column);
        header->resizeSection(column, width);
        others += width;
    }
    header->resizeSection(0, qMax(needed(0), view->viewport()->width() - others));
}

// The places beside the list as wide as their names, which the dialog's default cuts in larger
// fonts.
void fitSidebar(QFileDialog& dialog) {
    auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (!sidebar || !splitter || splitter->count() != 2)
        return;
    const int frame = sidebar->width() - sidebar->viewport()->width();
    const int wanted = sidebar->sizeHintForColumn(0) + frame;
    QList<int> sizes = splitter->sizes();
    if (sizes[0] >= wanted)
        return;
    sizes[1] -= wanted - sizes[0];
    sizes[0] = wanted;
    splitter->setSizes(sizes);
}

// Sizes and dates in the app's language; the file model writes them in the system's.
class FileColumnsInAppLocale : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        enum Column { size = 1, dateModified = 3 };
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole ||
            (index.column() != size && index.column() != dateModified))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == dateModified)
            return shownTime(files->lastModified(file));
        return files->isDir(file) ? QString() : QLocale().formattedDataSize(files->size(file));
    }
};

void prepare(QFileDialog& dialog, const QString& title, const QString& message) {
    dialog.setWindowTitle(title);
    // Qt's own dialog, wherever it runs: the message has a place in it, and what is tested is
    // what people get.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FileColumnsInAppLocale(&dialog));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(message, &dialog);
        label->setObjectName(QStringLiteral("dialogMessage"));
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    const QScreen* screen =
        dialog.parentWidget() ? dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QSize preferred = preferredDialogLines * QFontMetrics(dialog.font()).height();
    dialog.resize(preferred.boundedTo(screen->availableSize() * 9 / 10));
    // The columns fit their contents once the folder has been read, in every folder visited.
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                         [&dialog] { fitColumns(dialog); });
    }
    // Once shown, when the splitter has its sizes.
    QTimer::singleShot(0, &dialog, [&dialog] { fitSidebar(dialog); });
}

// Whether the person agrees to replace the file, asked by its final name.
// Wide enough for its title in the window manager's bar, beside the bar's buttons.
void fitTitle(QMessageBox& box, const QString& title) {
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont bold = box.font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const QString shownTitle =
            title + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
        grid->addItem(new QSpacerItem(metrics.horizontalAdvance(shownTitle) + 6 * metrics.height(),
                                      0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

bool confirmReplace(QWidget* parent, const QString& title, const QString& path) {
    QMessageBox question(
        QMessageBox::Warning, title,
        QCoreApplication::translate("QtFileDialogs", "%1 zaten var.\nDeğiştirmek istiyor musunuz?")
            .arg(QFileInfo(path).fileName()),
        QMessageBox::Yes | QMessageBox::No, parent);
    question.setObjectName(QStringLiteral("replaceQuestion"));
    fitTitle(question, title);
    question.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("QtFileDialogs", "&Evet"));
    question.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("QtFileDialogs", "&Hayır"));
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

// A file the person may not write is not offered to be replaced: why, over the dialog, which
// stays to choose again.
void refuseReplace(QWidget* parent, const QString& title, const QString& reason) {
    QMessageBox refusal(QMessageBox::Warning, title, reason, QMessageBox::Ok, parent);
    refusal.setObjectName(QStringLiteral("replaceRefusal"));
    fitTitle(refusal, title);
    refusal.button(QMessageBox::Ok)
        ->setText(QCoreApplication::translate("QtFileDialogs", "&Tamam"));
    refusal.exec();
}

// The save dialog answers for the file that will be written, once the extension rule has made
// its name, before it closes: a folder of that name opens, a file the person may not write is
// refused and one that exists is asked about, the dialog open behind either.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const SaveDialogRequest& request)
        : QFileDialog(parent)
        , request_(request) {}

    // The file to write, once the dialog was accepted.
    const QString& destination() const { return destination_; }

    void accept() override {
        const QList<QUrl> urls = selectedUrls();
        const QString typed = urls.isEmpty() ? QString() : urls.front().toLocalFile();
        // A folder typed as it is: Qt opens it.
        if (typed.isEmpty() || QFileInfo(typed).isDir()) {
            QFileDialog::accept();
            return;
        }
        const QFileInfo destination(withExtension(typed, request_.allowedType));
        // "sub" typed beside a folder "sub.der": open that folder, as typing its name would.
        if (destination.isDir()) {
            setDirectory(destination.absoluteFilePath());
            return;
        }
        // A dangling link counts too: the tool would write through it. The question is asked
        // from the event loop, not inside the key press or click, which may ask twice (the
        // name field and the default button).
        // A new file whose folder takes none is refused here too, the dialog still open.
        const bool exists = destination.exists() || destination.isSymLink();
        if (exists || newFileRefused(destination.filePath()) != 0) {
            if (!asking_)
                QMetaObject::invokeMethod(
                    this, [this, path = destination.filePath()] { askAbout(path); },
                    Qt::QueuedConnection);
            asking_ = true;
            return;
        }
        destination_ = destination.filePath();
        QFileDialog::accept();
    }

private:
    void askAbout(const QString& path) {
        const auto asked = qScopeGuard([this] { asking_ = false; });
        const QFileInfo there(path);
        const bool exists = there.exists() || there.isSymLink();
        if (const int refused = exists ? 0 : newFileRefused(path); refused != 0) {
            refuseReplace(this, request_.title, FailureReasons::folderRefused(path, refused));
        } else if (const int refused = exists ? replacingRefused(path) : 0; refused != 0) {
            refuseReplace(this, request_.title, FailureReasons::notWritable(path, refused));
        } else if (!exists || confirmReplace(this, request_.title, path)) {
            destination_ = path;
            QFileDialog::accept();
            return;
        }
        // Back in the name field, as the dialog first opened, to type another name.
        activateWindow();
        if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setFocus(Qt::OtherFocusReason);
    }

    const SaveDialogRequest request_;
    QString destination_;
    bool asking_ = false;
};

} // namespace

// A completion list open when the dialog closed can leave the window behind it inactive, with
// nothing focused; Qt may also put the focus on whatever comes first.
void QtFileDialogs::settleParent(QWidget* previous) {
    if (parent_)
        FocusKeeper::settle(parent_, previous);
}

std::optional<QUrl> QtFileDialogs::chooseFileToOpen(const OpenDialogRequest& request) {
    const auto settle =
        qScopeGuard([this, previous = QApplication::focusWidget()] { settleParent(previous); });
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("openPemDialog"));
    prepare(dialog, request.title, request.message);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QCoreApplication::translate("QtFileDialogs", "PEM sertifikaları (*.pem *.crt *.cer)"),
         QCoreApplication::translate("QtFileDialogs", "Tüm Dosyalar (*)")});
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QList<QUrl> urls = dialog.selectedUrls();
    return urls.isEmpty() ? QUrl() : urls.front();
}

std::optional<QUrl> QtFileDialogs::chooseFileToSave(const SaveDialogRequest& request) {
    const auto settle =
        qScopeGuard([this, previous = QApplication::focusWidget()] { settleParent(previous); });
    SaveDialog dialog(parent_, request);
    dialog.setObjectName(QStringLiteral("saveDerDialog"));
    prepare(dialog, request.title, request.message);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog would ask about the name as typed; the question that counts is about the file
    // that will be written, once the extension rule has made it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(
        QStringLiteral("%1 (*.%2)").arg(request.allowedType.toUpper(), request.allowedType));
    // Where the last file was saved, across runs and restarts; else the working folder.
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    const QString lastFolder = settings.value(lastSaveFolderKey).toString();
    dialog.setDirectory(QFileInfo(lastFolder).isDir() ? lastFolder : QDir::currentPath());
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    settings.setValue(lastSaveFolderKey, QFileInfo(dialog.destination()).absolutePath());
    return QUrl::fromLocalFile(dialog.destination());
}
