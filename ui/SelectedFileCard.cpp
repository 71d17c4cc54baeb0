#include "ui/SelectedFileCard.h"

#include "core/ContentView.h"
#include "ui/DocumentIcon.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SelectedFileCard::SelectedFileCard(ContentView& view, QWidget* parent)
    : RoundedBox(withOpacity(SystemColor::green, 0.1), 8, parent)
    , view_(view)
    , fileName_(makeLabel(QString(), TextRole::subheadline, QFont::Medium)) {
    setObjectName(QStringLiteral("selectedFileCard"));
    fileName_->setObjectName(QStringLiteral("selectedFileName"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(defaultSpacing / 2);
    texts->addWidget(makeLabel(QStringLiteral("Seçilen dosya:"), TextRole::caption, QFont::Normal,
                               SystemColor::secondaryText()));
    texts->addWidget(fileName_);

    auto* remove = new QPushButton(QStringLiteral("❌"), this);
    remove->setObjectName(QStringLiteral("clearFileButton"));
    remove->setAccessibleName(QStringLiteral("Seçilen dosyayı kaldır"));
    remove->setFlat(true);
    remove->setCursor(Qt::PointingHandCursor);
    remove->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; "
                                         "color: %1; }")
                              .arg(SystemColor::red.name()));
    connect(remove, &QPushButton::clicked, &view_, &ContentView::clearSelectedFile);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->setSpacing(defaultSpacing);
    layout->addWidget(new DocumentIcon(SystemColor::green, this), 0, Qt::AlignVCenter);
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
