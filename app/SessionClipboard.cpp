#include "app/SessionClipboard.h"

#include <QGuiApplication>
#include <ostream>

#include "app/DesktopClipboard.h"
#include "platform/wayland/DataControlClipboard.h"

namespace quorvantix {

std::unique_ptr<ClipboardReader> SessionClipboard(std::ostream& warnings) {
    if (auto data_control = DataControlClipboard::Connect()) {
        return data_control;
    }
    if (QGuiApplication::platformName() == QStringLiteral("wayland")) {
        warnings << "quorvantix: this Wayland session lets no program read the clipboard in the "
                    "background (its compositor offers no data-control protocol, and there is "
                    "no XWayland): a copied word is looked up only while the Quorvantix window "
                    "has the focus.\n";
    }
    return std::make_unique<DesktopClipboard>();
}

}  // namespace quorvantix
