#include "app/DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvantix {

std::string DesktopClipboard::Text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return {};
    }
    return clipboard->text(QClipboard::Clipboard).toStdString();
}

}  // namespace quorvantix
