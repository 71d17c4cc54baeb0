#pragma once

#include "core/FileDialogs.h"

class QWidget;

// The real dialogs, Qt's own. The save dialog asks whether to replace a file only once the
// ".der" rule has made the name that will really be written, and stays open after a "No".
class QtFileDialogs : public FileDialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    std::optional<QUrl> chooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<QUrl> chooseFileToSave(const SaveDialogRequest& request) override;

private:
    void settleParent(QWidget* previous);

    QWidget* parent_ = nullptr;
};
