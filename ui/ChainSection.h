#pragma once

#include <QWidget>
#include <functional>

class ContentView;
class QAbstractItemModel;
class QBoxLayout;
class QModelIndex;
class QLineEdit;
class QPushButton;
class SubjectOrIssuerFilter;
class QTreeView;
class SelectableText;

// The certificates of the source, listed under the status once there are any: one chosen from
// the list is described whole below it (beside it in a wide window), and can be saved as DER or
// PEM, its description or its PEM copied; the whole list can be saved as one PEM file. The list
// takes the room a taller window gives; one longer than a few rows can be searched by subject
// and issuer.
class ChainSection : public QWidget {
    Q_OBJECT

public:
    ChainSection(ContentView& view, QWidget* parent = nullptr);

    // The section's height once shown with a certificate's description, before it is made, where
    // the column is `width` wide.
    static int expectedHeight(int width);

Q_SIGNALS:
    // The person started a save from the chain.
    void acting();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The button has `copy` put the chosen row's text on the clipboard, and says so.
    void copyOnClick(QPushButton* button, const QString& said, std::function<void(int row)> copy);
    // Says the person acts on the chain, then saves.
    void act(const std::function<void()>& save);
    void showChain();
    void fitListHeight();
    void showDetails();
    void showBusy();
    void chooseFirst();
    void search(const QString& text);
    // The chosen certificate's row in the chain, -1 for none.
    int currentRow() const;
    // Between the chain's rows and those the list shows, all or those found.
    int chainRow(const QModelIndex& shown) const;
    QModelIndex listed(int row, int column) const;
    void listRowsOf(QAbstractItemModel* model);
    // The chosen certificate's subject.
    QString chosenName() const;

    ContentView& view_;
    QLineEdit* filter_;
    SubjectOrIssuerFilter* rows_; // the chain's rows found by the search, all when none
    QTreeView* list_;
    SelectableText* details_;
    QBoxLayout* body_; // the list, and the details under it or beside it
    QPushButton* save_;
    QPushButton* savePem_;
    QPushButton* copy_;
    QPushButton* copyPem_;
    QPushButton* saveChain_;
};
