// Clicks once into a text through the real speech control, waits for the word to be spoken and
// ends as the program does when its window is closed: stop the speech, end without teardown.
// Exit status 0: the word was spoken to its end, or was still being spoken when --quit-after-ms
// ran out; 1: nothing was spoken.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "speech/EndWithoutTeardown.h"
#include "speech/FliteSpeech.h"
#include "speech/SpeechClick.h"
#include "speech/TTextToSpeech.h"

namespace {

constexpr int kPollMs = 10;
constexpr int kStartLimitMs = 5000;

// 1 while speaking, 0 when not, -1 when the state cannot be read or the engine failed.
int ReadState(quorvantix::SpeechControl& speech) {
    try {
        switch (speech.SpeakingState()) {
            case quorvantix::SpeechState::Speaking:
                return 1;
            case quorvantix::SpeechState::Failed:
                std::fprintf(stderr, "the speech engine failed\n");
                return -1;
            default:
                return 0;
        }
    } catch (const quorvantix::SpeechError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return -1;
    }
}

}  // namespace

// usage: speak_word [--quit-after-ms MS] [--flite] TEXT CARET
//   --flite: through the fallback engine alone, as when speech-dispatcher cannot start
int main(int argc, char** argv) {
    std::vector<std::string> positional;
    int quit_after_ms = -1;
    bool flite = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--quit-after-ms" && i + 1 < argc) {
            quit_after_ms = std::atoi(argv[++i]);
        } else if (std::string_view(argv[i]) == "--flite") {
            flite = true;
        } else {
            positional.emplace_back(argv[i]);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: speak_word [--quit-after-ms MS] [--flite] TEXT CARET\n");
        return 2;
    }
    const std::string& text = positional[0];
    const auto caret = static_cast<std::size_t>(std::strtoul(positional[1].c_str(), nullptr, 10));

    QCoreApplication app(argc, argv);
    std::unique_ptr<quorvantix::SpeechControl> engine;
    if (flite) {
        engine = std::make_unique<quorvantix::FliteSpeech>();
    } else {
        engine = std::make_unique<quorvantix::TTextToSpeech>();
    }
    quorvantix::SpeechControl& speech = *engine;
    quorvantix::SpeakWordAtCaret(speech, text, caret);

    bool spoke = false;
    int waited_ms = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        waited_ms += kPollMs;
        const int state = ReadState(speech);
        spoke = spoke || state > 0;
        if (state < 0 || (state == 0 && !spoke && waited_ms > kStartLimitMs)) {
            QCoreApplication::exit(1);
        } else if ((quit_after_ms >= 0 && waited_ms >= quit_after_ms) || (state == 0 && spoke)) {
            QCoreApplication::exit(spoke ? 0 : 1);
        }
    });
    poll.start(kPollMs);
    const int status = QCoreApplication::exec();
    quorvantix::StopSpeaking(speech);
    quorvantix::EndWithoutTeardown(status);
}
