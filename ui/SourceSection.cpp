#include "ui/SourceSection.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr Surface sourceCardSurface{Hue::gray, 0.1};

QString urlHint() {
    return QCoreApplication::translate(
        "SourceSection", "Bir web sitesinin SSL sertifikasını otomatik olarak indirir");
}

QString pickHint() {
    return QCoreApplication::translate("SourceSection",
                                       "Bilgisayarınızdan mevcut bir PEM dosyası seçin");
}

QString noSourceYet() {
    return QCoreApplication::translate("SourceSection",
                                       "DER Dosyası Oluştur düğmesi, bir adres yazıldığında ya "
                                       "da bir PEM dosyası seçildiğinde kullanılabilir.");
}

// An option's title and hint, then its control. Made in that order, so that assistive
// technology reads them as they stand; the title names the control.
QVBoxLayout* optionBlock(QWidget* parent, const QString& title, const QString& hint,
                         QWidget* control) {
    auto* titleLabel = makeLabel(title, TextRole::subheadline, QFont::Medium, Hue::label,
                                 sourceCardSurface, parent);
    auto* hintLabel = makeLabel(hint, TextRole::caption, QFont::Normal, Hue::secondary,
                                sourceCardSurface, parent);
    control->setParent(parent);
    titleLabel->setBuddy(control);
    control->setAccessibleDescription(hint);
    auto* block = new QVBoxLayout;
    block->setSpacing(4);
    block->addWidget(titleLabel, 0, Qt::AlignLeft);
    block->addWidget(hintLabel, 0, Qt::AlignLeft);
    block->addWidget(control, 0, Qt::AlignLeft);
    return block;
}

} // namespace

SourceSection::SourceSection(ContentView& view, QWidget* parent)
    : QGroupBox(parent)
    , view_(view) {
    setObjectName(QStringLiteral("sourceSection"));
    setCardLook(this, sourceCardSurface, 12);
    // Named before it has a title, so that no one hears the title's picture first.
    const QString heading =
        QCoreApplication::translate("SourceSection", "📥 Sertifika Kaynağını Seçin");
    speakAs(this, heading);
    setTitle(heading);
    setAlignment(Qt::AlignHCenter);

    urlField_ = new QLineEdit;
    urlField_->setObjectName(QStringLiteral("urlField"));
    urlField_->setPlaceholderText(QCoreApplication::translate(
        "SourceSection", "Örnek: example.com veya https://www.example.com"));
    // 500 wide, and wider where a larger font would cut the hint short.
    urlField_->setFixedWidth(qMax(500, fieldWidthFor(urlField_, urlField_->placeholderText())));
    connect(urlField_, &QLineEdit::textEdited, &view_, &ContentView::setUrlString);
    // Return does what the main button does, or says why it cannot yet.
    connect(urlField_, &QLineEdit::returnPressed, this, [this] {
        if (view_.isProcessing())
            return;
        if (view_.urlString().isEmpty() && view_.selectedPemFile().isEmpty())
            say(urlField_, noSourceYet());
        else
            view_.startConversion();
    });
    QVBoxLayout* urlOption =
        optionBlock(this, QCoreApplication::translate("SourceSection", "Seçenek 1: &URL'den İndir"),
                    urlHint(), urlField_);

    auto* separator =
        makeLabel(QCoreApplication::translate("SourceSection", "VEYA"), TextRole::caption,
                  QFont::Bold, Hue::secondary, sourceCardSurface, this);
    separator->setContentsMargins(0, 8, 0, 8);

    pickButton_ =
        new QPushButton(QCoreApplication::translate("SourceSection", "📂 &PEM Dosyası Seç"));
    pickButton_->setObjectName(QStringLiteral("pickFileButton"));
    speakAs(pickButton_, pickButton_->text());
    connect(pickButton_, &QPushButton::clicked, &view_, &ContentView::selectPemFile);
    QVBoxLayout* fileOption =
        optionBlock(this, QCoreApplication::translate("SourceSection", "Seçenek 2: Dosyadan Seç"),
                    pickHint(), pickButton_);

    auto* options = new QVBoxLayout;
    options->setSpacing(12);
    options->addLayout(urlOption);
    options->addWidget(separator, 0, Qt::AlignLeft);
    options->addLayout(fileOption);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);

    connect(&view_, &ContentView::urlStringChanged, this, &SourceSection::showState);
    connect(&view_, &ContentView::selectedPemFileChanged, this, &SourceSection::showState);
    connect(&view_, &ContentView::isProcessingChanged, this, &SourceSection::showState);
    showState();
}

void SourceSection::showState() {
    // Rewriting the same text would move the cursor while the person types.
    if (urlField_->text() != view_.urlString())
        urlField_->setText(view_.urlString());
    setFieldBusy(urlField_, view_.isProcessing());
    // The main button cannot take the focus until there is a source; the field says so.
    const bool noSource = view_.urlString().isEmpty() && view_.selectedPemFile().isEmpty();
    const QString description = urlHint() + QStringLiteral(". ") + urlField_->placeholderText() +
                                u'.' + (noSource ? u' ' + noSourceYet() : QString());
    if (urlField_->accessibleDescription() != description)
        urlField_->setAccessibleDescription(description);
    FocusKeeper::setAvailable(pickButton_, !view_.isProcessing());
    // Where the focus comes back after the open dialog, the pick is named.
    const QString picked = view_.selectedPemFile().fileName();
    const QString pickDescription =
        picked.isEmpty()
            ? pickHint()
            : pickHint() + QCoreApplication::translate("SourceSection", ". Seçilen dosya: ") +
                  picked;
    // Said anew at every keystroke in the address field otherwise, crowding out what matters.
    if (pickButton_->accessibleDescription() != pickDescription)
        pickButton_->setAccessibleDescription(pickDescription);
}
