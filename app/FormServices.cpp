#include "app/FormServices.h"

#include <QCoreApplication>
#include <QDir>

#include <iostream>

#include "app/SessionClipboard.h"

namespace quorvantix {

FormServices DefaultFormServices() {
    FormServices services;
    services.program_folder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QDir::separator())
            .toStdString();
    services.clipboard = SessionClipboard(std::cerr);
    return services;
}

}  // namespace quorvantix
