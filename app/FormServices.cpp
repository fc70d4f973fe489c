#include "app/FormServices.h"

#include <QCoreApplication>
#include <QDir>

#include "app/DesktopClipboard.h"

namespace quorvantix {

FormServices DefaultFormServices() {
    FormServices services;
    services.program_folder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QDir::separator())
            .toStdString();
    services.clipboard = std::make_unique<DesktopClipboard>();
    return services;
}

}  // namespace quorvantix
