#pragma once

#include <QWidget>

class ContentView;
class QPushButton;
class QTreeView;
class SelectableText;

// The certificates of the source converted last, listed under the status once there are any:
// one chosen from the list is described below it, and can be saved as DER or its description
// copied; the whole list can be saved as one PEM file.
class ChainSection : public QWidget {
    Q_OBJECT

public:
    ChainSection(ContentView& view, QWidget* parent = nullptr);

    // The section's height once shown with a certificate's description, before it is made, where
    // the column is `width` wide.
    static int expectedHeight(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChain();
    void fitListHeight();
    void showDetails();
    void showBusy();
    int currentRow() const;
    // The chosen certificate's subject.
    QString chosenName() const;

    ContentView& view_;
    QTreeView* list_;
    SelectableText* details_;
    QPushButton* save_;
    QPushButton* copy_;
    QList<QWidget*> actions_;
};
