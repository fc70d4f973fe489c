#include "app/ClickFilter.h"

#include <QMouseEvent>
#include <utility>

namespace quorvantix {

ClickFilter::ClickFilter(QObject* watched, std::function<void()> on_click)
    : QObject(watched), on_click_(std::move(on_click)) {
    watched->installEventFilter(this);
}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        on_click_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quorvantix
