#pragma once

#include "core/FileDialogs.h"

class QWidget;

// The real dialogs: Qt's own file dialog, so that the save dialog can apply the ".der" rule
// to the typed name before it asks whether to replace an existing file.
class QtFileDialogs : public FileDialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    std::optional<QUrl> chooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<QUrl> chooseFileToSave(const SaveDialogRequest& request) override;

private:
    QWidget* parent_ = nullptr;
};
