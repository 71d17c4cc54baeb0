#include "ui/SelectedFileCard.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/DocumentIcon.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr Surface fileCardSurface{Hue::green, 0.1};

} // namespace

SelectedFileCard::SelectedFileCard(ContentView& view, QWidget* parent)
    : QGroupBox(parent)
    , view_(view) {
    setObjectName(QStringLiteral("selectedFileCard"));
    setCardLook(this, fileCardSurface, 8);
    auto* icon = new DocumentIcon(this);
    Theme::setTone(icon, {Hue::green, fileCardSurface});
    auto* caption =
        makeLabel(QCoreApplication::translate("SelectedFileCard", "Seçilen dosya:"),
                  TextRole::caption, QFont::Normal, Hue::secondary, fileCardSurface, this);
    fileName_ = makeLabel(QString(), TextRole::subheadline, QFont::Medium, Hue::label,
                          fileCardSurface, this);
    fileName_->setObjectName(QStringLiteral("selectedFileName"));

    remove_ = new QPushButton(QStringLiteral("❌"), this);
    QPushButton* remove = remove_;
    remove->setObjectName(QStringLiteral("clearFileButton"));
    remove->setAccessibleName(
        QCoreApplication::translate("SelectedFileCard", "Seçilen dosyayı kaldır"));
    remove->setCursor(Qt::PointingHandCursor);
    setButtonKind(remove, ButtonKind::borderless);
    Theme::setTone(remove, {Hue::red, fileCardSurface});
    connect(remove, &QPushButton::clicked, &view_, &ContentView::clearSelectedFile);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(caption);
    texts->addWidget(fileName_);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addLayout(texts);
    layout->addStretch(1);
    layout->addWidget(remove, 0, Qt::AlignVCenter);

    connect(&view_, &ContentView::selectedPemFileChanged, this, &SelectedFileCard::showState);
    showState();
}

void SelectedFileCard::showState() {
    const QString picked = view_.selectedPemFile().fileName();
    // Said, as the card comes or goes where nobody may be looking. A pick is announced before it
    // empties the address.
    if (!picked.isEmpty()) {
        say(this, QCoreApplication::translate("SelectedFileCard", "Seçilen dosya: ") + picked +
                      (view_.urlString().isEmpty()
                           ? QString()
                           : QCoreApplication::translate("SelectedFileCard",
                                                         ". Yazılan adres kaldırıldı.")));
    } else if (!fileName_->text().isEmpty()) {
        say(this, QCoreApplication::translate("SelectedFileCard", "Seçilen dosya kaldırıldı: ") +
                      fileName_->text());
    }
    fileName_->setText(picked);
    remove_->setAccessibleDescription(picked);
    FocusKeeper::setPresent(this, !view_.selectedPemFile().isEmpty());
}
