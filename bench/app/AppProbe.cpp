// The window program's own start and poll, timed from inside: the same window and services as
// the program, built into a process that reports how long they take.
// usage: quorvantix-app-probe FOLDER STARTED_NS WORDS_FILE POLLS
//   FOLDER      the program folder, with "Tessaryn" in it
//   STARTED_NS  CLOCK_REALTIME in nanoseconds just before this process was started
//   WORDS_FILE  one word a line; each poll gets the next one from another program (xclip)
// Prints "first_poll_ms N"; once a poll "poll_ms N", then "read_ms N" and "lookup_ms N" for its
// two slow parts measured again on their own; and at the end "missed N": polls that showed no
// new word.
#include <time.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/FormServices.h"
#include "app/TForm1.h"
#include "lookup/LookupWord.h"

namespace {

long long RealtimeNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

QStringList ReadWords(const QString& file_name) {
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Another program takes the clipboard with the word; returns once this process sees it.
std::unique_ptr<QProcess> CopyElsewhere(const QString& word) {
    auto xclip = std::make_unique<QProcess>();
    xclip->start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                           QStringLiteral("clipboard"), QStringLiteral("-i")});
    xclip->waitForStarted();
    xclip->write(word.toUtf8());
    xclip->closeWriteChannel();
    QElapsedTimer waited;
    waited.start();
    while (QGuiApplication::clipboard()->text() != word && waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
    }
    return xclip;
}

void Stop(std::unique_ptr<QProcess>& process) {
    if (process) {
        process->kill();
        process->waitForFinished();
        process.reset();
    }
}

template <class Step>
double Milliseconds(Step&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The two slow parts of a poll on their own, done again after it: reading the clipboard from
// the other program, and the lookup.
void PrintParts(const std::string& word, const std::string& folder) {
    const double read = Milliseconds([] { QGuiApplication::clipboard()->text(); });
    const double lookup = Milliseconds([&] {
        quorvantix::LookupWord(word, folder + quorvantix::kDictionaryFileName, "", false, false);
    });
    std::printf("read_ms %.3f\nlookup_ms %.3f\n", read, lookup);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: quorvantix-app-probe FOLDER STARTED_NS WORDS_FILE POLLS\n");
        return 2;
    }
    const long long started_ns = std::atoll(argv[2]);
    QApplication application(argc, argv);
    quorvantix::FormServices services = quorvantix::DefaultFormServices();
    services.program_folder = std::string(argv[1]) + "/";
    const std::string services_folder = services.program_folder;
    quorvantix::TForm1 form(std::move(services));
    std::printf("first_poll_ms %.3f\n", (RealtimeNs() - started_ns) / 1e6);
    form.show();

    const QStringList words = ReadWords(QString::fromLocal8Bit(argv[3]));
    const int polls = std::atoi(argv[4]);
    // Polls come from this loop only, never from the window's own timer in between.
    form.Timer1->setInterval(24 * 60 * 60 * 1000);
    std::unique_ptr<QProcess> owner;
    int missed = 0;
    for (int i = 0; i < polls && !words.isEmpty(); ++i) {
        std::unique_ptr<QProcess> next = CopyElsewhere(words[i % words.size()]);
        Stop(owner);
        owner = std::move(next);
        QCoreApplication::processEvents();
        const auto tick = std::chrono::steady_clock::now();
        form.Dispatch(&quorvantix::TForm1::Timer1Timer);
        form.Memo1->viewport()->repaint();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - tick;
        std::printf("poll_ms %.3f\n", took.count());
        missed += form.windowTitle() != words[i % words.size()] ? 1 : 0;
        PrintParts(words[i % words.size()].toStdString(), services_folder);
    }
    std::printf("missed %d\n", missed);
    Stop(owner);
    form.Timer1->stop();
    return 0;
}
