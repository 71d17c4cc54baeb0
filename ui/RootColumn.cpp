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
#include <QHash>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>
#include <utility>

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
void keepInPlace(QScrollArea* scroll, QWidget* anchor,
                 int before /* where it stood in the viewport */) {
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
    // Where the controls stood as the status changes, taken before the status box is made or
    // laid out again: that moves them at once.
    const auto standing = std::make_shared<QHash<const QWidget*, int>>();
    connect(&view, &ContentView::statusMessageChanged, content, [content, standing] {
        standing->clear();
        for (QWidget* control : {QApplication::focusWidget(),
                                 content->findChild<QWidget*>(QStringLiteral("chainSection"))}) {
            if (control && content->isAncestorOf(control))
                standing->insert(control, control->mapTo(content, QPoint()).y());
        }
    });
    // Made only once there is news, a chain or a log to show.
    QWidget* status =
        deferredSection([&view](QWidget* parent) { return new StatusBanner(view, parent); }, &view,
                        &ContentView::statusMessageChanged,
                        [&view] { return !view.statusMessage().isEmpty(); }, content);
    // Set as the person saves from the chain, until the run's status comes.
    const auto actingOnChain = std::make_shared<bool>(false);
    QWidget* chain = deferredSection(
        [&view, actingOnChain](QWidget* parent) {
            auto* section = new ChainSection(view, parent);
            connect(section, &ChainSection::acting, section,
                    [actingOnChain] { *actingOnChain = true; });
            return section;
        },
        &view.chain(), &QAbstractItemModel::modelReset,
        [&view] { return view.chain().rowCount() > 0; }, content);
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
    column->addWidget(chain);
    column->addWidget(debug);
    column->addWidget(footer);

    // Centred across a larger window, and from the top down: what appears below (the status,
    // the log) never moves what is above it. Where the window is shorter than the column, the
    // column scrolls, so that everything down to the footer stays reachable.
    auto* frame = new QVBoxLayout(content);
    frame->setContentsMargins(padding, padding, padding, padding);
    // Grown at once with what it holds, never squeezed while the area catches up: a section that
    // comes (the status, the log) would otherwise move the others for a moment.
    frame->setSizeConstraint(QLayout::SetMinimumSize);
    frame->addLayout(column);
    frame->addStretch(1);

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
    // column is laid out again. Not after the person acted on the chain: its actions stay under
    // the pointer, the news shows above them.
    connect(&view, &ContentView::statusMessageChanged, scroll,
            [scroll, content, status, chain, actingOnChain, standing, &view] {
                const bool fromChain = std::exchange(*actingOnChain, false);
                if (view.statusMessage().isEmpty())
                    return;
                QWidget* focus = QApplication::focusWidget();
                QWidget* anchor =
                    focus && chain->isAncestorOf(focus)
                        ? focus
                        : (fromChain ? content->findChild<QWidget*>(QStringLiteral("chainSection"))
                                     : nullptr);
                if (anchor && standing->contains(anchor)) {
                    const int before =
                        standing->value(anchor) - scroll->verticalScrollBar()->value();
                    if (before + anchor->height() > 0 && before < scroll->viewport()->height()) {
                        keepInPlace(scroll, anchor, before);
                        return;
                    }
                }
                QTimer::singleShot(0, scroll, [scroll, content, status] {
                    content->layout()->activate();
                    scroll->ensureWidgetVisible(status, 0, spacing);
                });
            });
    // A file's chain listed is news as well: its heading and first rows come into view. Not a
    // download's, which ends with its status under the pointer.
    connect(&view.chain(), &QAbstractItemModel::modelReset, scroll,
            [scroll, content, chain, &view] {
                if (view.chain().rowCount() == 0 || view.isProcessing())
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
                        keepInPlace(scroll, seen, seen->mapTo(scroll->viewport(), QPoint()).y());
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
