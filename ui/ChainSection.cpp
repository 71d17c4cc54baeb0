#include "ui/ChainSection.h"

#include "core/ContentView.h"
#include "ui/FocusKeeper.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"
#include "ui/compat/ChosenRowOnFocus.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Rows shown at least; a taller window shows more, a longer chain scrolls and can be searched.
constexpr int visibleRows = 10;
// A list this long can be searched.
constexpr int searchableFrom = 6;
// From this width on, the details stand beside the list.
constexpr int sideBySideWidth = 1000;
constexpr int gap = 8;
// Fourteen fields, of which the two fingerprints may wrap.
constexpr int detailLines = 16;

QString headingText() {
    return QCoreApplication::translate("ChainSection", "🔗 &Sertifika Zinciri");
}

QString captionText() {
    return QCoreApplication::translate(
        "ChainSection", "Kaynaktaki sertifikalar, sırasıyla. Birini seçin: ayrıntılarını okuyun, "
                        "DER ya da PEM olarak kaydedin; ya da zincirin tamamını PEM olarak "
                        "kaydedin.");
}

QString saveText() {
    return QCoreApplication::translate("ChainSection", "💾 DER olarak &kaydet");
}

// A row before there are any: a line of the list's font, emoji included, with the room the
// style gives it.
int rowGuess(const QFont& font, int frame) {
    return textHeight(QStringLiteral("✅"), font) + 2 * frame + 4;
}

// The header, the rows shown at once and the frame.
int listHeight(int headerHeight, int rowHeight, int frame) {
    return headerHeight + visibleRows * rowHeight + 2 * frame;
}

// Columns as wide as what they hold at most, measured once: asking the rows would read every
// certificate of a long list. The names share what room is left.
void sizeColumns(QTreeView* list) {
    const QFontMetrics metrics(list->font());
    const int padding = 2 * metrics.averageCharWidth() + list->indentation();
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    const auto fixed = [&](int column, std::initializer_list<QString> texts) {
        int widest = header->sectionSizeHint(column);
        for (const QString& text : texts)
            widest = qMax(widest, metrics.horizontalAdvance(text) + padding);
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, widest);
    };
    // As wide as the list's last number: the names have the room.
    fixed(CertificateChain::numberColumn, {QString::number(list->model()->rowCount())});
    const QString longestDay = QStringLiteral("30 Ağu 2030 "); // measured, not shown
    // Room for an expired one's mark; the rarer "not yet" may be cut, its tip and the details
    // say it whole.
    fixed(CertificateChain::expiryColumn,
          {longestDay + CertificateChain::expiredMark(), undecodedField()});
    fixed(CertificateChain::stateColumn,
          {QStringLiteral("✅ ") + QCoreApplication::translate("CertificateChain", "Kaydedildi")});
    header->setSectionResizeMode(CertificateChain::subjectColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CertificateChain::issuerColumn, QHeaderView::Stretch);
}

// A saved row's state, marked as the status marks a success.
class SavedMark : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override {
        const QString text = QStyledItemDelegate::displayText(value, locale);
        return text.isEmpty() ? text : QStringLiteral("✅ ") + text;
    }
};

} // namespace

// The rows whose subject or issuer holds the text searched for, in any case. Only the names are
// read, and only once something is searched for.
class SubjectOrIssuerFilter : public QSortFilterProxyModel {
public:
    SubjectOrIssuerFilter(const CertificateChain& chain, QObject* parent)
        : QSortFilterProxyModel(parent)
        , chain_(chain) {}

    void search(const QString& text) {
        searched_ = text;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        if (searched_.isEmpty())
            return true;
        const CertificateNames names = chain_.names(row);
        return names.subject.contains(searched_, Qt::CaseInsensitive) ||
               names.issuer.contains(searched_, Qt::CaseInsensitive);
    }

private:
    const CertificateChain& chain_;
    QString searched_;
};

ChainSection::ChainSection(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , filter_(new QLineEdit(this))
    , rows_(new SubjectOrIssuerFilter(view.chain(), this))
    , list_(new QTreeView(this))
    , details_(new SelectableText(this)) {
    setObjectName(QStringLiteral("chainSection"));
    // Made in reading order: heading, list, what the chosen one says, then what to do with it.
    auto* heading = makeLabel(headingText(), TextRole::headline, QFont::Normal, Hue::label,
                              windowSurface, this);
    auto* caption = makeLabel(captionText(), TextRole::caption, QFont::Normal, Hue::secondary,
                              windowSurface, this);
    caption->setWordWrap(true);

    // A list longer than a few rows can be searched.
    filter_->setObjectName(QStringLiteral("chainFilter"));
    filter_->setAccessibleName(QCoreApplication::translate("ChainSection", "Zincirde ara"));
    filter_->setPlaceholderText(
        QCoreApplication::translate("ChainSection", "Konu ya da veren içinde ara…"));
    filter_->setClearButtonEnabled(true);
    rows_->setSourceModel(&view_.chain());
    connect(filter_, &QLineEdit::textChanged, this, &ChainSection::search);
    filter_->installEventFilter(this);
    // Ctrl+F goes to the search, where there is one.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        if (filter_->isVisible())
            filter_->setFocus(Qt::ShortcutFocusReason);
    });

    list_->setObjectName(QStringLiteral("chainList"));
    list_->setAccessibleName(QCoreApplication::translate("ChainSection", "Sertifika zinciri"));
    list_->setModel(&view_.chain());
    list_->setItemDelegateForColumn(CertificateChain::stateColumn, new SavedMark(list_));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAlternatingRowColors(true);
    // As tall as its least number of rows, and as much taller as the column has room for.
    list_->setSizePolicy(list_->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    sizeColumns(list_);
    heading->setBuddy(list_);

    details_->setObjectName(QStringLiteral("certificateDetails"));
    details_->setFont(roleFont(TextRole::footnote));
    details_->setTallAsText(true);

    // On the Tab path right after the list: the chosen certificate is read there, line by line.
    details_->setFocusPolicy(Qt::StrongFocus);

    save_ = makeSpokenButton(saveText(), QString(), "saveCertificateButton", this);
    connect(save_, &QPushButton::clicked, this,
            [this] { act([this] { view_.saveChainCertificate(currentRow()); }); });
    savePem_ = makeSpokenButton(QCoreApplication::translate("ChainSection", "📄 PEM olarak kayd&et"),
                                QString(), "savePemButton", this);
    connect(savePem_, &QPushButton::clicked, this,
            [this] { act([this] { view_.saveChainCertificateAsPem(currentRow()); }); });
    copy_ = makeCopyButton(QCoreApplication::translate("ChainSection", "📋 Ayrıntıları k&opyala"),
                           QString(), "copyDetailsButton", this);
    copyOnClick(copy_,
                QCoreApplication::translate("ChainSection", "Ayrıntılar panoya kopyalandı: "),
                [this](int row) { view_.copyCertificateDetails(row); });
    copyPem_ = makeCopyButton(QCoreApplication::translate("ChainSection", "📋 PE&M'i kopyala"),
                              QString(), "copyPemButton", this);
    copyOnClick(copyPem_, QCoreApplication::translate("ChainSection", "PEM panoya kopyalandı: "),
                [this](int row) { view_.copyCertificatePem(row); });
    saveChain_ = makeSpokenButton(
        QCoreApplication::translate("ChainSection", "📦 &Zinciri PEM olarak kaydet"),
        QCoreApplication::translate("ChainSection", "Zincirin tamamını PEM olarak kaydet"),
        "saveChainButton", this);
    connect(saveChain_, &QPushButton::clicked, this,
            [this] { act([this] { view_.saveChainAsPem(); }); });
    // Return or a double click on a certificate saves it, as its button would.
    connect(list_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        act([this, row = chainRow(index)] { view_.saveChainCertificate(row); });
    });

    // What is saved, then what is copied; Tab goes the same way.
    QWidget::setTabOrder(savePem_, saveChain_);
    QWidget::setTabOrder(saveChain_, copy_);
    QWidget::setTabOrder(copy_, copyPem_);
    auto* saves = new QHBoxLayout;
    saves->addWidget(save_);
    saves->addWidget(savePem_);
    saves->addStretch(1);
    saves->addWidget(saveChain_);
    auto* copies = new QHBoxLayout;
    copies->addWidget(copy_);
    copies->addWidget(copyPem_);
    copies->addStretch(1);

    // Where the whole list went, once it was saved.
    auto* savedAsPem = makeLabel(QString(), TextRole::footnote, QFont::Normal, Hue::secondary,
                                 windowSurface, this);
    savedAsPem->setObjectName(QStringLiteral("chainSavedAsPem"));
    const auto showSavedAsPem = [this, savedAsPem] {
        const QString file = view_.chain().savedAsPem();
        savedAsPem->setText(
            file.isEmpty()
                ? QString()
                : QCoreApplication::translate("ChainSection", "📦 Zincir PEM olarak kaydedildi: ") +
                      QFileInfo(file).fileName());
        speakAs(savedAsPem, savedAsPem->text());
        savedAsPem->setVisible(!file.isEmpty());
    };
    connect(&view_.chain(), &CertificateChain::savedAsPemChanged, this, showSavedAsPem);
    connect(&view_.chain(), &QAbstractItemModel::modelReset, this, showSavedAsPem);
    showSavedAsPem();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(gap);
    layout->addWidget(heading, 0, Qt::AlignLeft);
    layout->addWidget(caption);
    layout->addWidget(filter_);
    body_ = new QBoxLayout(QBoxLayout::TopToBottom);
    body_->setSpacing(gap);
    body_->addWidget(list_, 3);
    body_->addWidget(details_, 0, Qt::AlignTop);
    layout->addLayout(body_, 1);
    layout->addLayout(saves);
    layout->addLayout(copies);
    layout->addWidget(savedAsPem);

    readChosenRowOnFocus(list_,
                         [this] { return listed(currentRow(), CertificateChain::subjectColumn); });
    connect(&view_.chain(), &QAbstractItemModel::modelReset, this, &ChainSection::showChain);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ChainSection::showDetails);
    connect(&view_, &ContentView::isProcessingChanged, this, &ChainSection::showBusy);
    // Taken away as another source is chosen, where the person may not be looking.
    connect(&view_, &ContentView::chainForgotten, this, [this] {
        say(window(), QCoreApplication::translate("ChainSection", "Sertifika zinciri kaldırıldı"));
    });
    setVisible(false);
    showChain();
}

int ChainSection::expectedHeight(int width) {
    // The header as tall as a row.
    const int frame = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int row = rowGuess(QApplication::font(), frame);
    const QFont footnote = roleFont(TextRole::footnote);
    const int details = (detailLines + 1) * QFontMetrics(footnote).lineSpacing();
    return textHeight(headingText(), roleFont(TextRole::headline)) +
           textHeight(captionText(), roleFont(TextRole::caption), width) +
           listHeight(row, row, frame) + details + 2 * buttonHeight(saveText()) + 5 * gap;
}

void ChainSection::fitListHeight() {
    const int rowHeight = view_.chain().rowCount() > 0
                              ? list_->sizeHintForRow(0)
                              : rowGuess(list_->font(), list_->frameWidth());
    list_->setMinimumHeight(
        listHeight(list_->header()->sizeHint().height(), rowHeight, list_->frameWidth()));
}

void ChainSection::resizeEvent(QResizeEvent* event) {
    const bool beside = width() >= sideBySideWidth;
    body_->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    body_->setStretchFactor(details_, beside ? 2 : 0);
    QWidget::resizeEvent(event);
}

bool ChainSection::eventFilter(QObject* watched, QEvent* event) {
    // Escape in a search empties it; with nothing searched for, it stops a run as anywhere.
    if (watched == filter_ && !filter_->text().isEmpty() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            filter_->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ChainSection::copyOnClick(QPushButton* button, const QString& said,
                               std::function<void(int row)> copy) {
    connect(button, &QPushButton::clicked, this, [this, button, said, copy = std::move(copy)] {
        // Nothing chosen: nothing copied, nothing said.
        const int row = currentRow();
        if (row < 0)
            return;
        copy(row);
        confirmCopied(button);
        say(this, said + chosenName());
    });
}

void ChainSection::act(const std::function<void()>& save) {
    Q_EMIT acting();
    save();
}

int ChainSection::currentRow() const {
    if (const QModelIndex current = list_->currentIndex(); current.isValid())
        return chainRow(current);
    const QModelIndexList chosen = list_->selectionModel()->selectedRows();
    return chosen.isEmpty() ? -1 : chainRow(chosen.first());
}

int ChainSection::chainRow(const QModelIndex& shown) const {
    return list_->model() == rows_ ? rows_->mapToSource(shown).row() : shown.row();
}

QModelIndex ChainSection::listed(int row, int column) const {
    const QModelIndex inChain = view_.chain().index(row, column);
    return list_->model() == rows_ ? rows_->mapFromSource(inChain) : inChain;
}

void ChainSection::listRowsOf(QAbstractItemModel* model) {
    if (list_->model() == model)
        return;
    const int chosen = currentRow();
    QItemSelectionModel* previous = list_->selectionModel();
    list_->setModel(model);
    delete previous;
    sizeColumns(list_);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ChainSection::showDetails);
    // The chosen one stays chosen, and in sight, while it is listed.
    if (const QModelIndex kept = listed(chosen, 0); kept.isValid()) {
        list_->selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
        list_->scrollTo(kept);
    }
}

QString ChainSection::chosenName() const {
    return view_.chain()
        .index(currentRow(), CertificateChain::subjectColumn)
        .data(Qt::DisplayRole)
        .toString();
}

void ChainSection::showChain() {
    const int rows = view_.chain().rowCount();
    filter_->clear();
    sizeColumns(list_);
    FocusKeeper::setPresent(filter_, rows >= searchableFrom);
    fitListHeight();
    chooseFirst();
    FocusKeeper::setPresent(this, rows > 0);
}

void ChainSection::chooseFirst() {
    // The first is chosen but not made current until the list has the keys: Qt 6.4 tells
    // screen readers that the current row has the focus, wherever the focus is.
    if (list_->model()->rowCount() > 0)
        list_->selectionModel()->select(list_->model()->index(0, 0),
                                        QItemSelectionModel::ClearAndSelect |
                                            QItemSelectionModel::Rows);
    showDetails();
}

void ChainSection::search(const QString& text) {
    rows_->search(text);
    // The chain itself while nothing is searched for: through a filter, the list's layout of
    // tens of thousands of rows costs about twice as much.
    listRowsOf(text.isEmpty() ? static_cast<QAbstractItemModel*>(&view_.chain()) : rows_);
    // The chosen one stays chosen while it is found; otherwise the first found is.
    if (currentRow() < 0)
        chooseFirst();
    const int found = list_->model()->rowCount();
    if (!text.isEmpty())
        say(filter_,
            found == 0
                ? QCoreApplication::translate("ChainSection", "Eşleşen sertifika yok")
                : QCoreApplication::translate("ChainSection", "%1 sertifika eşleşiyor").arg(found));
}

void ChainSection::showDetails() {
    const int row = currentRow();
    details_->setText(row < 0 ? QString() : view_.chain().details(row));
    for (QPushButton* action : {save_, savePem_})
        FocusKeeper::setAvailable(action, row >= 0 && !view_.isProcessing());
    for (QPushButton* action : {copy_, copyPem_})
        FocusKeeper::setAvailable(action, row >= 0);
    // The details and the buttons say which certificate they are of.
    const QString name = chosenName();
    details_->setAccessibleName(
        QCoreApplication::translate("ChainSection", "Sertifika ayrıntıları: ") + name);
    save_->setAccessibleName(QCoreApplication::translate("ChainSection", "DER olarak kaydet: ") +
                             name);
    savePem_->setAccessibleName(QCoreApplication::translate("ChainSection", "PEM olarak kaydet: ") +
                                name);
    copy_->setAccessibleName(QCoreApplication::translate("ChainSection", "Ayrıntıları kopyala: ") +
                             name);
    copyPem_->setAccessibleName(QCoreApplication::translate("ChainSection", "PEM'i kopyala: ") +
                                name);
}

void ChainSection::showBusy() {
    FocusKeeper::setAvailable(saveChain_, !view_.isProcessing());
    showDetails();
}
