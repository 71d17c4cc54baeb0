#pragma once

#include <QGroupBox>

class ContentView;
class QLabel;
struct RunReport;
class QPushButton;
class SelectableText;

// The last status message, coloured by its kind, with what the person needs next under it;
// present while there is one. Screen readers announce each new message with its reason, and
// both can be reached again with Tab and read line by line. Under a save, the folder saved in can
// be opened in the desktop's file manager.
// The lines under the status, as it shows them.
QString shownDetail(const RunReport& report);

class StatusBanner : public QGroupBox {
    Q_OBJECT

public:
    StatusBanner(ContentView& view, QWidget* parent = nullptr);

    // The box's height once shown with a success and its warnings, before it is made.
    static int expectedHeight();

private:
    void showState();
    // No file manager opened the folder: said over the window, with its path to copy.
    void offerFolderPath(const QString& folder);

    ContentView& view_;
    QLabel* mark_; // of success or failure, shown beside the message, never read as a picture
    SelectableText* message_;
    SelectableText* detail_;  // why it failed, or what was saved
    QPushButton* showFolder_; // opens the folder of what was saved
};
