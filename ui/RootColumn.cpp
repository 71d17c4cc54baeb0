#include "ui/RootColumn.h"

#include "core/ContentView.h"
#include "ui/ConvertButton.h"
#include "ui/DebugPanel.h"
#include "ui/FooterSection.h"
#include "ui/HeaderSection.h"
#include "ui/OutputSection.h"
#include "ui/ProgressSection.h"
#include "ui/SelectedFileCard.h"
#include "ui/SourceSection.h"
#include "ui/StatusBanner.h"
#include "ui/Style.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

constexpr int padding = 24;
constexpr int columnMinimumWidth = 700;
constexpr int columnMinimumHeight = 600;

QWidget* makeResetButton(ContentView& view, QWidget* parent) {
    // The extra space above comes on top of the column's gap.
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 20, 0, 0);
    auto* button = new QPushButton(QStringLiteral("🔄 Yeniden Başlat"), holder);
    button->setObjectName(QStringLiteral("resetButton"));
    button->setAccessibleName(button->text());
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; }")
            .arg(SystemColor::orange.name()));
    QObject::connect(button, &QPushButton::clicked, &view, &ContentView::resetAll);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    return holder;
}

} // namespace

RootColumn::RootColumn(ContentView& view, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("rootColumn"));

    auto* column = new QVBoxLayout;
    column->setSpacing(20);
    column->addWidget(new HeaderSection(this), 0, Qt::AlignHCenter);
    column->addWidget(new ProgressSection(view, this), 0, Qt::AlignHCenter);
    column->addWidget(new SourceSection(view, this), 0, Qt::AlignHCenter);
    column->addWidget(new SelectedFileCard(view, this));
    column->addWidget(new OutputSection(view, this), 0, Qt::AlignHCenter);
    column->addWidget(new ConvertButton(view, this), 0, Qt::AlignHCenter);
    column->addWidget(new StatusBanner(view, this), 0, Qt::AlignHCenter);
    column->addWidget(new DebugPanel(view, this));
    column->addWidget(makeResetButton(view, this));
    column->addWidget(new FooterSection(this));

    // The spacer holds the minimum size; the column may need more, and then takes it. The
    // stretching rows keep the column centred in a larger window.
    auto* frame = new QGridLayout(this);
    frame->setContentsMargins(padding, padding, padding, padding);
    frame->addItem(new QSpacerItem(columnMinimumWidth - 2 * padding,
                                   columnMinimumHeight - 2 * padding, QSizePolicy::Minimum,
                                   QSizePolicy::Minimum),
                   0, 0, 3, 1);
    frame->addLayout(column, 1, 0);
    frame->setRowStretch(0, 1);
    frame->setRowStretch(2, 1);
}
