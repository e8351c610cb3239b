#include "gui/qt_owner_thread.h"

#include <QMetaObject>

namespace orvella {

void QtOwnerThread::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

}  // namespace orvella
