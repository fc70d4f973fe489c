// The program without speech.
#include <QApplication>

#include "app/FormServices.h"
#include "app/PlatformChoice.h"
#include "app/TForm1.h"

int main(int argc, char* argv[]) {
    quorvantix::ChooseQtPlatform(argc, argv);
    QApplication application(argc, argv);
    quorvantix::TForm1 form(quorvantix::DefaultFormServices());
    form.show();
    return application.exec();
}
