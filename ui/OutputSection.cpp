#include "ui/OutputSection.h"

#include "core/ContentView.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

OutputSection::OutputSection(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view) {
    setObjectName(QStringLiteral("outputSection"));
    // Made in reading order: the caption above the field names it.
    auto* title = makeLabel(QCoreApplication::translate("OutputSection", "📤 Çıktı Ayarları"),
                            TextRole::headline, QFont::Normal, Hue::label, windowSurface, this);
    const QString captionText = QCoreApplication::translate(
        "OutputSection", "DER dosyasının &adını belirleyin (.der uzantısı otomatik eklenir)");
    auto* caption = makeLabel(captionText, TextRole::caption, QFont::Normal, Hue::secondary,
                              windowSurface, this);
    nameField_ = new QLineEdit(this);
    nameField_->setObjectName(QStringLiteral("outputNameField"));
    nameField_->setPlaceholderText(
        QCoreApplication::translate("OutputSection", "Dosya adı (uzantısız)"));
    // Named by what it holds, described by the caption that gives its access key.
    nameField_->setAccessibleName(nameField_->placeholderText());
    nameField_->setAccessibleDescription(withoutMnemonic(captionText));
    nameField_->setFixedWidth(qMax(400, fieldWidthFor(nameField_, nameField_->placeholderText())));
    caption->setBuddy(nameField_);
    connect(nameField_, &QLineEdit::textEdited, &view_, &ContentView::setOutputName);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(title, 0, Qt::AlignLeft);
    layout->addWidget(caption, 0, Qt::AlignLeft);
    layout->addWidget(nameField_, 0, Qt::AlignLeft);

    connect(&view_, &ContentView::outputNameChanged, this, &OutputSection::showState);
    connect(&view_, &ContentView::isProcessingChanged, this, &OutputSection::showState);
    showState();
}

void OutputSection::showState() {
    if (nameField_->text() != view_.outputName())
        nameField_->setText(view_.outputName());
    FocusKeeper::setAvailable(nameField_, !view_.isProcessing());
}
