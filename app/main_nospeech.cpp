// The program without speech.
#include <QApplication>
#include <iostream>

#include "app/CommandLine.h"
#include "app/FormServices.h"
#include "app/PlatformChoice.h"
#include "app/TForm1.h"

int main(int argc, char* argv[]) {
    if (const auto status = quorvantix::HandleCommandLine(argc, argv, "quorvantix-nospeech", false,
                                                          std::cout, std::cerr)) {
        return *status;
    }
    quorvantix::ChooseQtPlatform(argc, argv);
    QApplication application(argc, argv);
    quorvantix::TForm1 form(quorvantix::DefaultFormServices());
    form.show();
    return application.exec();
}
