#include <QApplication>

#include "app/FormServices.h"
#include "app/PlatformChoice.h"
#include "app/TForm1.h"
#ifdef QUORVANTIX_WITH_SPEECH
#include "speech/EndWithoutTeardown.h"
#endif

int main(int argc, char* argv[]) {
    quorvantix::ChooseQtPlatform(argc, argv);
    QApplication application(argc, argv);
    quorvantix::TForm1 form(quorvantix::DefaultFormServices());
    form.show();
    const int status = application.exec();
#ifdef QUORVANTIX_WITH_SPEECH
    // Closing has saved the placement and stopped the speech: nothing is left to do.
    quorvantix::EndWithoutTeardown(status);
#endif
    return status;
}
