#include "ui/compat/Announcement.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void announceNow(QWidget* from, const QString& message) {
    QAccessibleAnnouncementEvent event(from, message);
    QAccessible::updateAccessibility(&event);
}

#else

#include "ui/Spoken.h"

#include <QLabel>
#include <QTimer>

void announceNow(QWidget* from, const QString& message) {
    // One for each message: a screen reader reads it a moment later, by which time a message
    // that followed at once would have replaced the first.
    auto* voice = new QLabel(from->window());
    voice->setObjectName(QStringLiteral("announcement"));
    setAccessibleRole(voice, QAccessible::Notification);
    voice->setAccessibleName(message);
    voice->setFixedSize(1, 1);
    voice->show();
    QTimer::singleShot(std::chrono::seconds(30), voice, &QObject::deleteLater);
}

#endif
