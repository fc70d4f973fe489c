// The program with speech: a click on a word in the answer speaks it.
#include <QApplication>
#include <iostream>
#include <memory>

#include "app/CommandLine.h"
#include "app/FormServices.h"
#include "app/PlatformChoice.h"
#include "app/TForm1.h"
#include "speech/EndWithoutTeardown.h"
#include "speech/TTextToSpeech.h"

int main(int argc, char* argv[]) {
    if (const auto status =
            quorvantix::HandleCommandLine(argc, argv, "quorvantix", true, std::cout, std::cerr)) {
        return *status;
    }
    quorvantix::ChooseQtPlatform(argc, argv);
    QApplication application(argc, argv);
    quorvantix::FormServices services = quorvantix::DefaultFormServices();
    // After the application: the engine closes itself when the application quits.
    services.speech = std::make_unique<quorvantix::TTextToSpeech>();
    quorvantix::TForm1 form(std::move(services));
    form.show();
    const int status = application.exec();
    // Closing has saved the placement and stopped the speech: nothing is left to do.
    quorvantix::EndWithoutTeardown(status);
}
