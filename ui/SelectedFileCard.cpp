#include "ui/SelectedFileCard.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/DocumentIcon.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr Surface fileCardSurface{Hue::green, 0.1};

} // namespace

SelectedFileCard::SelectedFileCard(ContentView& view, QWidget* parent)
    : RoundedBox(Theme::tint(fileCardSurface), 8, parent)
    , view_(view) {
    setObjectName(QStringLiteral("selectedFileCard"));
    auto* icon = new DocumentIcon(Theme::text(Hue::green, fileCardSurface), this);
    auto* caption = makeLabel(QStringLiteral("Seçilen dosya:"), TextRole::caption, QFont::Normal,
                              Hue::secondary, fileCardSurface, this);
    fileName_ = makeLabel(QString(), TextRole::subheadline, QFont::Medium, Hue::label,
                          fileCardSurface, this);
    fileName_->setObjectName(QStringLiteral("selectedFileName"));

    auto* remove = new QPushButton(QStringLiteral("❌"), this);
    remove->setObjectName(QStringLiteral("clearFileButton"));
    remove->setAccessibleName(QStringLiteral("Seçilen dosyayı kaldır"));
    remove->setCursor(Qt::PointingHandCursor);
    setButtonKind(remove, ButtonKind::borderless);
    setTextColor(remove, Theme::text(Hue::red, fileCardSurface));
    connect(remove, &QPushButton::clicked, &view_, &ContentView::clearSelectedFile);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(defaultSpacing / 2);
    texts->addWidget(caption);
    texts->addWidget(fileName_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->setSpacing(defaultSpacing);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addLayout(texts);
    layout->addStretch(1);
    layout->addWidget(remove, 0, Qt::AlignVCenter);

    connect(&view_, &ContentView::selectedPemFileChanged, this, &SelectedFileCard::showState);
    showState();
}

void SelectedFileCard::showState() {
    setVisible(!view_.selectedPemFile().isEmpty());
    fileName_->setText(view_.selectedPemFile().fileName());
}
