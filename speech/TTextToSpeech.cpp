#include "speech/TTextToSpeech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>
#include <utility>

namespace quorvantix {

namespace {

// flite synthesises a word of up to 30 letters in under 40 ms here; the margin is for slow
// machines.
constexpr int kSynthesisMs = 250;
constexpr int kAwaitPollMs = 5;
// How long closing waits for a word to stop or end.
constexpr int kSilenceLimitMs = 2000;
// How long PulseAudio is given to finish closing a played stream before the program may end.
constexpr int kStreamCloseMs = 100;

bool IsEnglish(const QLocale& locale) {
    return locale.language() == QLocale::English;
}

void ChooseEnglishVoice(QTextToSpeech& engine) {
    if (!IsEnglish(engine.locale())) {
        for (const QLocale& locale : engine.availableLocales()) {
            if (IsEnglish(locale)) {
                engine.setLocale(locale);
                break;
            }
        }
    }
    if (IsEnglish(engine.voice().locale())) {
        return;
    }
    for (const QVoice& voice : engine.availableVoices()) {
        if (IsEnglish(voice.locale())) {
            engine.setVoice(voice);
            return;
        }
    }
}

// Without an audio device flite says Ready but reports a playback error at once.
bool CanSpeak(const QTextToSpeech& engine) {
    return engine.state() != QTextToSpeech::Error &&
           engine.errorReason() != QTextToSpeech::ErrorReason::Playback;
}

}  // namespace

TTextToSpeech::TTextToSpeech(QString engine_name) : engine_name_(std::move(engine_name)) {}

TTextToSpeech::~TTextToSpeech() {
    const bool played = spoke_;
    DropEngine();
    // Qt Multimedia (6.4) can crash at exit while PulseAudio still answers about the stream
    // just closed.
    if (played) {
        QThread::msleep(kStreamCloseMs);
    }
}

void TTextToSpeech::Prepare() noexcept {
    try {
        UsableEngine();
    } catch (...) {
        // The next call tries again and reports the failure to its caller.
    }
}

int TTextToSpeech::SpeakingState() {
    const QTextToSpeech::State state = UsableEngine().state();
    // Between say() and the engine's first sound the word is on its way: already speaking.
    // The engine's state is then that of the word before, or of the first try of this one.
    if (!synthesis_end_.hasExpired()) {
        return QTextToSpeech::Speaking;
    }
    return state;
}

void TTextToSpeech::Speak(const std::u16string& text) {
    QTextToSpeech& engine = UsableEngine();
    retry_text_ = QString::fromStdU16String(text);
    engine.say(retry_text_);
    synthesis_end_.setRemainingTime(kSynthesisMs);
    spoke_ = true;
}

void TTextToSpeech::StopSpeech() {
    QTextToSpeech& engine = UsableEngine();
    retry_text_.clear();
    AwaitSynthesis();
    engine.stop();
}

QTextToSpeech& TTextToSpeech::UsableEngine() {
    // An engine left in its error state (its audio device went away, say) may work afresh.
    if (!engine_ || (engine_->state() == QTextToSpeech::Error && synthesis_end_.hasExpired())) {
        MakeEngine();
    }
    return *engine_;
}

void TTextToSpeech::MakeEngine() {
    DropEngine();
    auto engine = std::make_unique<QTextToSpeech>(engine_name_);
    if (!CanSpeak(*engine)) {
        throw SpeechError("speech engine failed: " + engine->errorString().toStdString());
    }
    ChooseEnglishVoice(*engine);
    QObject::connect(engine.get(), &QTextToSpeech::stateChanged, engine.get(),
                     [this](QTextToSpeech::State state) { RetryFailedWord(state); });
    engine_ = std::move(engine);
}

// Under PulseAudio flite fails the first word of a process with a streaming error, before
// a sound is heard; said again, the word is heard.
void TTextToSpeech::RetryFailedWord(int state) {
    if (state != QTextToSpeech::Error || retry_text_.isEmpty() ||
        engine_->errorReason() != QTextToSpeech::ErrorReason::Playback) {
        return;
    }
    engine_->say(std::exchange(retry_text_, QString()));
    synthesis_end_.setRemainingTime(kSynthesisMs);
}

void TTextToSpeech::DropEngine() noexcept {
    if (engine_) {
        retry_text_.clear();
        AwaitSynthesis();
        AwaitSilence();
        engine_.reset();
    }
}

// A stop or the end of a word closes the engine's audio stream on the engine's own thread;
// flite (Qt 6.4) crashes when that happens while its engine is being destroyed.
void TTextToSpeech::AwaitSilence() noexcept {
    const QDeadlineTimer deadline(kSilenceLimitMs);
    while (engine_->state() == QTextToSpeech::Speaking && !deadline.hasExpired()) {
        PassPostedEvents();
    }
}

// flite (Qt 6.4) crashes when it is stopped or destroyed while it synthesises a word, and its
// audio output fails when the GUI thread blocks meanwhile. So the wait lets posted events
// through, but no timer or user input: no handler of the program runs in between.
void TTextToSpeech::AwaitSynthesis() noexcept {
    while (!synthesis_end_.hasExpired()) {
        PassPostedEvents();
    }
}

void TTextToSpeech::PassPostedEvents() noexcept {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
    QThread::msleep(kAwaitPollMs);
}

}  // namespace quorvantix
