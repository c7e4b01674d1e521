#include "qt/announcer.h"

#include <QAccessibleWidget>

namespace chess::ui {
namespace {

QAccessibleInterface *announcerFactory(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    QAccessible::installFactory(announcerFactory);
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
}

void Announcer::announce(const QString &line)
{
    // The line is the notification's name; its showing is what the screen reader speaks.
    setAccessibleName(line);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace chess::ui
