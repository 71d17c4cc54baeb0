#include "ui/RootColumn.h"

#include "core/ContentView.h"
#include "ui/ActionRow.h"
#include "ui/AppStyle.h"
#include "ui/ChainSection.h"
#include "ui/ConvertButton.h"
#include "ui/DebugPanel.h"
#include "ui/DeferredSection.h"
#include "ui/FocusKeeper.h"
#include "ui/FooterSection.h"
#include "ui/HeaderSection.h"
#include "ui/OutputSection.h"
#include "ui/ProgressSection.h"
#include "ui/SelectedFileCard.h"
#include "ui/SourceSection.h"
#include "ui/Spoken.h"
#include "ui/StatusBanner.h"
#include "ui/Typography.h"
#include "ui/WindowKeys.h"
#include "ui/compat/SelectAfterFocus.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int padding = 24;
constexpr int spacing = 20;
constexpr QSize minimumWindowSize(700, 600);
// What a window manager adds around the window: borders and a title bar.
constexpr QSize windowDecorations(16, 48);

QPushButton* makeResetButton(ContentView& view, QWidget* parent) {
    auto* button =
        new QPushButton(QCoreApplication::translate("RootColumn", "🔄 Yeniden Başlat"), parent);
    button->setObjectName(QStringLiteral("resetButton"));
    speakAs(button, button->text());
    button->setCursor(Qt::PointingHandCursor);
    setButtonKind(button, ButtonKind::borderless);
    Theme::setTone(button, {Hue::orange});
    QObject::connect(button, &QPushButton::clicked, button, [button, &view] {
        // What there was to clear, and only that, is said cleared.
        QStringList cleared;
        const auto note = [&cleared](bool held, const QString& what) {
            if (held)
                cleared << what;
        };
        note(!view.urlString().isEmpty(), QCoreApplication::translate("RootColumn", "adres"));
        note(!view.selectedPemFile().isEmpty(),
             QCoreApplication::translate("RootColumn", "seçilen dosya"));
        note(view.outputName() != defaultOutputName,
             QCoreApplication::translate("RootColumn", "dosya adı"));
        note(!view.statusMessage().isEmpty(), QCoreApplication::translate("RootColumn", "durum"));
        note(view.chain().rowCount() > 0,
             QCoreApplication::translate("RootColumn", "sertifika zinciri"));
        note(!view.debugOutput().isEmpty(), QCoreApplication::translate("RootColumn", "günlük"));
        view.resetAll();
        say(button, cleared.isEmpty()
                        ? QCoreApplication::translate("RootColumn", "Yeniden başlatıldı")
                        : QCoreApplication::translate("RootColumn", "Yeniden başlatıldı: ") +
                              listed(cleared) +
                              QCoreApplication::translate("RootColumn", " temizlendi"));
    });
    return button;
}

// A section made once `needed` holds: checked now, and again at each of the sender's `signal`.
template <typename Sender, typename Signal, typename Needed>
DeferredSection* deferredSection(DeferredSection::Make make, const Sender* sender, Signal signal,
                                 Needed needed, QWidget* parent) {
    auto* place = new DeferredSection(std::move(make), parent);
    const auto buildIfNeeded = [place, needed] {
        if (needed())
            place->build();
    };
    QObject::connect(sender, signal, place, buildIfNeeded);
    buildIfNeeded();
    return place;
}

// Whether any of the widget shows in the area's viewport.
bool shownIn(const QScrollArea* scroll, const QWidget* widget) {
    return widget->isVisible() && scroll->viewport()->rect().intersects(QRect(
                                      widget->mapTo(scroll->viewport(), QPoint()), widget->size()));
}

// Keeps the widget where it stands on screen once the column is laid out again: what grew or
// went above it moves the scroll position instead, as far as that can.
void keepInPlace(QScrollArea* scroll, QWidget* anchor) {
    const int before = anchor->mapTo(scroll->viewport(), QPoint()).y();
    QTimer::singleShot(0, anchor, [scroll, anchor, before] {
        scroll->widget()->layout()->activate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QScrollBar* bar = scroll->verticalScrollBar();
        bar->setValue(bar->value() + anchor->mapTo(scroll->viewport(), QPoint()).y() - before);
    });
}

// The one local file a drag carries, if that is all it carries.
std::optional<QUrl> droppedFile(const QMimeData* data) {
    if (!data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return std::nullopt;
    return url;
}

} // namespace

RootColumn::RootColumn(ContentView& view, QWidget* parent)
    : QMainWindow(parent)
    , view_(view) {
    setObjectName(QStringLiteral("rootColumn"));
    setAcceptDrops(true);
    // What the window is for, said with its name as it opens: screen readers say a window's
    // name as it becomes active, not always its description.
    setAccessibleName(QApplication::applicationDisplayName() + QStringLiteral(": ") +
                      HeaderSection::spoken());

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("columnContent"));
    // Made top to bottom: the tab order and what assistive technology reads follow it.
    QWidget* header = new HeaderSection(content);
    QWidget* progress = new ProgressSection(view, content);
    // The two share one place, as tall as the taller, the progress shown over the header: nothing
    // under the pointer moves as a run starts or ends.
    auto* top = new QGridLayout;
    for (QWidget* shared : {header, progress}) {
        QSizePolicy keepsItsPlace = shared->sizePolicy();
        keepsItsPlace.setRetainSizeWhenHidden(true);
        shared->setSizePolicy(keepsItsPlace);
        top->addWidget(shared, 0, 0, Qt::AlignCenter);
    }
    header->setVisible(progress->isHidden());
    progress->installEventFilter(this);
    header_ = header;
    source_ = new SourceSection(view, content);
    QWidget* card = new SelectedFileCard(view, content);
    QWidget* output = new OutputSection(view, content);
    auto* actions = new ActionRow(view, content);
    QWidget* convert = actions->convertButton();
    // Made only once there is news, a chain or a log to show.
    QWidget* status =
        deferredSection([&view](QWidget* parent) { return new StatusBanner(view, parent); }, &view,
                        &ContentView::statusMessageChanged,
                        [&view] { return !view.statusMessage().isEmpty(); }, content);
    QWidget* chain = deferredSection(
        [&view](QWidget* parent) { return new ChainSection(view, parent); }, &view.chain(),
        &QAbstractItemModel::modelReset, [&view] { return view.chain().rowCount() > 0; }, content);
    QWidget* debug =
        deferredSection([&view](QWidget* parent) { return new DebugPanel(view, parent); }, &view,
                        &ContentView::debugOutputChanged,
                        [&view] { return !view.debugOutput().isEmpty(); }, content);
    QWidget* footer = new FooterSection(content);
    auto* column = new QVBoxLayout;
    column->setSpacing(spacing);
    column->addLayout(top);
    column->addWidget(source_, 0, Qt::AlignHCenter);
    column->addWidget(card);
    column->addWidget(output, 0, Qt::AlignHCenter);
    column->addWidget(actions, 0, Qt::AlignHCenter);
    column->addWidget(status, 0, Qt::AlignHCenter);
    column->addWidget(chain, 1);
    column->addWidget(debug);
    column->addWidget(footer);

    // Centred across a larger window, and from the top down: what appears below (the status,
    // the log) never moves what is above it. Where the window is shorter than the column, the
    // column scrolls, so that everything down to the footer stays reachable.
    auto* frame = new QVBoxLayout(content);
    frame->setContentsMargins(padding, padding, padding, padding);
    frame->addLayout(column);
    frame->addStretch(1);
    // A chain's list takes whatever height the column is given beyond what it needs.
    const auto fillHeight = [frame, &view] {
        const bool fill = view.chain().rowCount() > 0;
        frame->setStretch(0, fill ? 1 : 0);
        frame->setStretch(1, fill ? 0 : 1);
    };
    connect(&view.chain(), &QAbstractItemModel::modelReset, frame, fillHeight);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("columnScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the area scrolls to whichever has the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    // Always there: a scroll bar that came with a longer column would shift it sideways.
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidgetResizable(true);
    // Laid out once, at the width the window opens at, rather than first at its own preferred
    // size, which the area would otherwise give it now.
    content->setAttribute(Qt::WA_Resized);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    // The reset button stays in sight under the column, however far it is scrolled: the way
    // back is never out of reach, busy or not.
    auto* body = new QWidget;
    auto* resetBar = new QVBoxLayout;
    resetBar->setContentsMargins(padding, spacing / 2, padding, spacing / 2);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);
    bodyLayout->addWidget(scroll, 1);
    bodyLayout->addLayout(resetBar);
    setCentralWidget(body);
    // Made once the column is in the window: last on the Tab path, as it stands last.
    resetBar->addWidget(makeResetButton(view, body), 0, Qt::AlignHCenter);
    // The end of a run is news: the status comes into view, where it is out of it, once the
    // column is laid out again. Not while the person acts on the chain: its actions stay under
    // the pointer, the news shows above them.
    connect(&view, &ContentView::statusMessageChanged, scroll,
            [scroll, content, status, chain, &view] {
                if (view.statusMessage().isEmpty())
                    return;
                if (QWidget* focus = QApplication::focusWidget();
                    focus && chain->isAncestorOf(focus) && shownIn(scroll, focus)) {
                    keepInPlace(scroll, focus);
                    return;
                }
                QTimer::singleShot(0, scroll, [scroll, content, status, chain] {
                    content->layout()->activate();
                    scroll->ensureWidgetVisible(status, 0, spacing);
                    // With a list under it, its first rows come too, as far as the status's top
                    // stays in sight.
                    if (!chain->isVisible())
                        return;
                    const int statusTop = status->mapTo(content, QPoint()).y();
                    const auto* list = chain->findChild<QWidget*>(QStringLiteral("chainList"));
                    const QPoint listTop = list->mapTo(content, QPoint());
                    scroll->ensureVisible(listTop.x(), listTop.y() + list->height() / 2, 0, 0);
                    scroll->ensureVisible(listTop.x(), statusTop, 0, spacing);
                });
            });
    // A chain listed is news as well: its heading and first rows come into view.
    connect(&view.chain(), &QAbstractItemModel::modelReset, scroll,
            [scroll, content, chain, &view] {
                if (view.chain().rowCount() == 0)
                    return;
                QTimer::singleShot(0, scroll, [scroll, content, chain] {
                    content->layout()->activate();
                    const QRect area(
                        chain->mapTo(content, QPoint()),
                        QSize(chain->width(),
                              qMin(chain->height(), scroll->viewport()->height() - spacing)));
                    scroll->ensureVisible(area.center().x(), area.bottom(), 0, 0);
                });
            });
    // The progress section goes as the busy state ends; what the person sees stays put.
    connect(&view, &ContentView::isProcessingChanged, scroll,
            [scroll, content, status, chain, &view] {
                if (view.isProcessing())
                    return;
                for (QWidget* seen : {QApplication::focusWidget(), status, chain}) {
                    if (seen && content->isAncestorOf(seen) && shownIn(scroll, seen)) {
                        keepInPlace(scroll, seen);
                        return;
                    }
                }
            });
    addWindowKeys(this, view, {source_, card, output, actions, status, chain, debug});
    // Never the reset button: it would wipe everything at the next press of the same key.
    new FocusKeeper(this, {content->findChild<QWidget*>(QStringLiteral("urlField")), convert});

    // A file dropped on a text field is the window's too, not text to insert.
    for (QLineEdit* field : content->findChildren<QLineEdit*>()) {
        field->installEventFilter(this);
        selectAfterFocus(field);
    }

    // Never larger than the screen; tall enough, where the screen allows, for a whole download
    // with its log.
    const QSize room = screen()->availableSize() - windowDecorations;
    setMinimumSize(minimumWindowSize.boundedTo(room));
    // As wide as the column, which a larger font widens.
    const int columnWidth = content->minimumSizeHint().width() - 2 * padding;
    const int width =
        qMax(minimumWindowSize.width(),
             columnWidth + 2 * padding + scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    int wholeRun = content->sizeHint().height() + resetBar->sizeHint().height();
    for (const auto& [place, expected] :
         {std::pair{status, StatusBanner::expectedHeight()},
          std::pair{chain, ChainSection::expectedHeight(columnWidth)},
          std::pair{debug, DebugPanel::expectedHeight()}}) {
        if (place->isHidden())
            wholeRun += expected + spacing;
    }
    resize(QSize(width, wholeRun).boundedTo(room).expandedTo(minimumSize()));
}

void RootColumn::changeEvent(QEvent* event) {
    // A switch between light and dark: every shade is derived again.
    if (event->type() == QEvent::PaletteChange)
        Theme::applyTones(this);
    // What the window is for is said as it opens, not again each time a dialog closes.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        setAccessibleName(QString());
    QMainWindow::changeEvent(event);
}

bool RootColumn::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched->objectName() == QLatin1String("progressSection") &&
        (type == QEvent::Show || type == QEvent::Hide)) {
        header_->setVisible(type == QEvent::Hide);
        return false;
    }
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
        droppedFile(static_cast<QDropEvent*>(event)->mimeData())) {
        // Ignored here, the drag goes on up to the window.
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RootColumn::dragEnterEvent(QDragEnterEvent* event) {
    if (view_.isProcessing() || !droppedFile(event->mimeData()))
        return;
    event->acceptProposedAction();
    setCardOutlined(source_, true);
}

void RootColumn::dragLeaveEvent(QDragLeaveEvent*) {
    setCardOutlined(source_, false);
}

void RootColumn::dropEvent(QDropEvent* event) {
    setCardOutlined(source_, false);
    const std::optional<QUrl> file = droppedFile(event->mimeData());
    if (view_.isProcessing() || !file)
        return;
    view_.pickPemFile(*file);
    event->acceptProposedAction();
}
