#include "speech/TTextToSpeech.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QTextToSpeech>
#include <utility>

#include "speech/FliteSpeech.h"
#include "speech/QtSpeechState.h"
#include "speech/SpeechWorker.h"

namespace quorvantix {

namespace {

// Without an audio server speechd never finishes closing; the program then ends without it.
constexpr int kCloseLimitMs = 500;

}  // namespace

TTextToSpeech::TTextToSpeech(QString preferred_engine, QString fallback_engine)
    : preferred_engine_(std::move(preferred_engine)),
      fallback_engine_(std::move(fallback_engine)),
      receiver_(std::make_unique<QObject>()) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QObject::connect(application, &QCoreApplication::aboutToQuit, receiver_.get(),
                         [this] { Close(); });
    }
}

TTextToSpeech::~TTextToSpeech() {
    Close();
    receiver_.reset();
    if (thread_) {
        thread_->quit();
        if (!thread_->wait(kCloseLimitMs)) {
            // The thread is stuck in the engine; it and its worker are left to the system.
            static_cast<void>(thread_.release());
        }
    }
}

void TTextToSpeech::Prepare() noexcept {
    if (engine_ == Engine::kNone) {
        try {
            StartPreferred();
        } catch (...) {
            // The next call tries again.
        }
    }
}

SpeechState TTextToSpeech::SpeakingState() {
    Prepare();
    switch (engine_) {
        case Engine::kFallback:
            return Fallback().SpeakingState();
        case Engine::kPreferred:
            return state_;
        default:
            return SpeechState::Ready;
    }
}

void TTextToSpeech::Speak(const std::u16string& text) {
    Prepare();
    if (engine_ == Engine::kFallback) {
        Fallback().Speak(text);
    } else if (engine_ == Engine::kPreferred) {
        const quint64 command = ++commands_;
        state_ = SpeechState::Speaking;
        QMetaObject::invokeMethod(
            worker_, [worker = worker_, word = QString::fromStdU16String(text), command] {
                worker->Speak(word, command);
            });
    }
}

void TTextToSpeech::StopSpeech() {
    if (engine_ == Engine::kFallback) {
        Fallback().StopSpeech();
    } else if (engine_ == Engine::kPreferred) {
        const quint64 command = ++commands_;
        state_ = SpeechState::Ready;
        QMetaObject::invokeMethod(worker_, [worker = worker_, command] { worker->Stop(command); });
    }
}

// Until the worker has made its engine, words and stops wait in its queue.
void TTextToSpeech::StartPreferred() {
    thread_ = std::make_unique<QThread>();
    auto worker = std::make_unique<SpeechWorker>(preferred_engine_);
    worker->moveToThread(thread_.get());
    QObject::connect(thread_.get(), &QThread::finished, worker.get(), &QObject::deleteLater);
    QObject::connect(worker.get(), &SpeechWorker::started, receiver_.get(),
                     [this](bool usable) { OnStarted(usable); });
    QObject::connect(worker.get(), &SpeechWorker::stateReported, receiver_.get(),
                     [this](QTextToSpeech::State state, quint64 command) {
                         OnStateReported(StateOf(state), command);
                     });
    worker_ = worker.release();
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->Start(); });
    thread_->start();
    engine_ = Engine::kPreferred;
}

void TTextToSpeech::OnStarted(bool usable) {
    if (!usable && engine_ == Engine::kPreferred) {
        engine_ = Engine::kFallback;
    }
}

void TTextToSpeech::OnStateReported(SpeechState state, quint64 command) {
    if (engine_ != Engine::kPreferred || command != commands_) {
        return;  // about a word that has been stopped or replaced since
    }
    if (state == SpeechState::Failed) {
        engine_ = Engine::kFallback;
        return;
    }
    state_ = state;
}

FliteSpeech& TTextToSpeech::Fallback() {
    if (!fallback_) {
        fallback_ = std::make_unique<FliteSpeech>(fallback_engine_);
    }
    return *fallback_;
}

void TTextToSpeech::Close() noexcept {
    if (engine_ == Engine::kPreferred) {
        auto closed = std::make_shared<QSemaphore>();
        QMetaObject::invokeMethod(worker_, [worker = worker_, closed] { worker->Close(*closed); });
        closed->tryAcquire(1, kCloseLimitMs);
    }
    engine_ = Engine::kClosed;
}

}  // namespace quorvantix
