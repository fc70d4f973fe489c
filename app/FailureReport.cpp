#include "app/FailureReport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>
#include <exception>

namespace quorvantix {

namespace {

std::string CurrentFailureMessage() {
    try {
        throw;
    } catch (const std::exception& failure) {
        return failure.what();
    } catch (...) {
        return "Unknown failure";
    }
}

}  // namespace

void ReportCurrentFailure(const FailureReporter& report) noexcept {
    try {
        const std::string message = CurrentFailureMessage();
        if (report) {
            report(message);
        }
    } catch (...) {
        // A report that fails itself has nowhere left to go.
    }
}

void ShowFailureBox(QWidget* window, const std::string& message) {
    QWidget* owner = (window != nullptr && !window->isMinimized()) ? window : nullptr;
    QMessageBox::critical(owner, QCoreApplication::applicationName(),
                          QString::fromStdString(message));
}

}  // namespace quorvantix
