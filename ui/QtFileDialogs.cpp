#include "ui/QtFileDialogs.h"

#include "pipeline/DerDestination.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace {

// Wide enough for the name and the size, type and date columns side by side.
constexpr QSize preferredDialogSize(920, 560);

// Each column after the name as wide as its header and what it shows; the name takes the rest.
void fitColumns(QFileDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView* header = tree->header();
    const QAbstractItemView* view = tree;
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
        const int width = qMax(header->sectionSizeHint(column), view->sizeHintForColumn(column));
        header->resizeSection(column, width);
        others += width;
    }
    header->resizeSection(0, qMax(header->sectionSizeHint(0), view->viewport()->width() - others));
}

void prepare(QFileDialog& dialog, const QString& title, const QString& message) {
    dialog.setWindowTitle(title);
    // Qt's own dialog, wherever it runs: the message has a place in it, and what is tested is
    // what people get.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(message, &dialog);
        label->setObjectName(QStringLiteral("dialogMessage"));
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    const QScreen* screen =
        dialog.parentWidget() ? dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
    dialog.resize(preferredDialogSize.boundedTo(screen->availableSize() * 9 / 10));
    // The columns fit their contents once the folder has been read, in every folder visited.
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                         [&dialog] { fitColumns(dialog); });
    }
}

// Whether the person agrees to replace the file, asked by its final name.
bool confirmReplace(QWidget* parent, const QString& title, const QString& path) {
    QMessageBox question(QMessageBox::Warning, title,
                         QStringLiteral("%1 zaten var.\nDeğiştirmek istiyor musunuz?")
                             .arg(QFileInfo(path).fileName()),
                         QMessageBox::Yes | QMessageBox::No, parent);
    question.setObjectName(QStringLiteral("replaceQuestion"));
    question.button(QMessageBox::Yes)->setText(QStringLiteral("&Evet"));
    question.button(QMessageBox::No)->setText(QStringLiteral("&Hayır"));
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

} // namespace

std::optional<QUrl> QtFileDialogs::chooseFileToOpen(const OpenDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("openPemDialog"));
    prepare(dialog, request.title, request.message);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QList<QUrl> urls = dialog.selectedUrls();
    return urls.isEmpty() ? QUrl() : urls.front();
}

std::optional<QUrl> QtFileDialogs::chooseFileToSave(const SaveDialogRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("saveDerDialog"));
    prepare(dialog, request.title, request.message);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog would ask about the name as typed; the question that counts is about the file
    // that will be written, once the extension rule has made it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QStringLiteral("DER (*.%1)").arg(request.allowedType));
    dialog.selectFile(request.proposedName);
    while (dialog.exec() == QDialog::Accepted) {
        const QList<QUrl> urls = dialog.selectedUrls();
        if (urls.isEmpty())
            return QUrl();
        const QFileInfo destination(withDerExtension(urls.front().toLocalFile()));
        // "sub" typed beside a folder "sub.der": open that folder, as typing its name would.
        if (destination.isDir()) {
            dialog.setDirectory(destination.absoluteFilePath());
            continue;
        }
        // A dangling link counts too: the tool would write through it.
        if (!destination.exists() && !destination.isSymLink())
            return QUrl::fromLocalFile(destination.filePath());
        if (confirmReplace(&dialog, request.title, destination.filePath()))
            return QUrl::fromLocalFile(destination.filePath());
        // "No": the dialog comes back as the person left it, to choose again.
    }
    return std::nullopt;
}
