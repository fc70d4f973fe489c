#include "speech/FliteSpeech.h"

#include <QCoreApplication>
#include <QTextToSpeech>
#include <QThread>
#include <utility>

#include "speech/EnglishVoice.h"
#include "speech/QtSpeechState.h"

namespace quorvantix {

namespace {

// flite synthesises a word of up to 30 letters in under 40 ms here; the margin is for slow
// machines.
constexpr int kSynthesisMs = 250;
constexpr int kAwaitPollMs = 5;
// How long dropping the engine waits for its word to stop.
constexpr int kSilenceLimitMs = 2000;
// How long PulseAudio is given to finish closing a played stream before the program may end.
constexpr int kStreamCloseMs = 100;

// Without an audio device flite says Ready but reports a playback error at once.
bool CanSpeak(const QTextToSpeech& engine) {
    return engine.state() != QTextToSpeech::Error &&
           engine.errorReason() != QTextToSpeech::ErrorReason::Playback;
}

}  // namespace

FliteSpeech::FliteSpeech(QString engine_name) : engine_name_(std::move(engine_name)) {}

FliteSpeech::~FliteSpeech() {
    const bool played = spoke_;
    DropEngine();
    // Qt Multimedia (6.4) can crash at exit while PulseAudio still answers about the stream
    // just closed.
    if (played) {
        QThread::msleep(kStreamCloseMs);
    }
}

void FliteSpeech::Prepare() noexcept {
    try {
        UsableEngine();
    } catch (...) {
        // The next call tries again and reports the failure to its caller.
    }
}

SpeechState FliteSpeech::SpeakingState() {
    const QTextToSpeech::State state = UsableEngine().state();
    // Between say() and the engine's first sound the word is on its way: already speaking.
    // The engine's state then still belongs to the word before.
    if (!synthesis_end_.hasExpired()) {
        return SpeechState::Speaking;
    }
    return StateOf(state);  // a paused word is a stopped one (see StopSpeech)
}

void FliteSpeech::Speak(const std::u16string& text) {
    QTextToSpeech& engine = UsableEngine();
    engine.say(QString::fromStdU16String(text));
    synthesis_end_.setRemainingTime(kSynthesisMs);
    spoke_ = true;
}

// Pausing silences the word but keeps the engine's audio stream for the next one: stopping
// closes the stream, and closing streams in quick succession crashes Qt 6.4's PulseAudio layer.
void FliteSpeech::StopSpeech() {
    QTextToSpeech& engine = UsableEngine();
    AwaitSynthesis();
    engine.pause();
}

QTextToSpeech& FliteSpeech::UsableEngine() {
    // flite stays in its error state after a word it could not play (its audio device went
    // away, or the audio stream failed); a fresh engine may work again.
    if (!engine_ || (engine_->state() == QTextToSpeech::Error && synthesis_end_.hasExpired())) {
        MakeEngine();
    }
    return *engine_;
}

void FliteSpeech::MakeEngine() {
    DropEngine();
    auto engine = std::make_unique<QTextToSpeech>(engine_name_);
    if (!CanSpeak(*engine)) {
        throw SpeechError("speech engine failed: " + engine->errorString().toStdString());
    }
    ChooseEnglishVoice(*engine);
    engine_ = std::move(engine);
}

void FliteSpeech::DropEngine() noexcept {
    if (engine_) {
        AwaitSynthesis();
        StopAndAwaitSilence();
        engine_.reset();
    }
}

// A stop closes the engine's audio stream on the engine's own thread; flite (Qt 6.4) crashes
// when its engine is destroyed while that is being done, or while the stream is still open.
void FliteSpeech::StopAndAwaitSilence() noexcept {
    engine_->stop();
    const QDeadlineTimer deadline(kSilenceLimitMs);
    while ((engine_->state() == QTextToSpeech::Speaking ||
            engine_->state() == QTextToSpeech::Paused) &&
           !deadline.hasExpired()) {
        PassPostedEvents();
    }
}

// flite (Qt 6.4) crashes when it is stopped or destroyed while it synthesises a word, and its
// audio output fails when the GUI thread blocks meanwhile. So the wait lets posted events
// through, but no timer or user input: no handler of the program runs in between.
void FliteSpeech::AwaitSynthesis() noexcept {
    while (!synthesis_end_.hasExpired()) {
        PassPostedEvents();
    }
}

void FliteSpeech::PassPostedEvents() noexcept {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
    QThread::msleep(kAwaitPollMs);
}

}  // namespace quorvantix
