#include "speech/SpeechWorker.h"

#include <QSemaphore>
#include <QTextToSpeech>
#include <utility>

#include "speech/EnglishVoice.h"

namespace quorvantix {

SpeechWorker::SpeechWorker(QString engine_name) : engine_name_(std::move(engine_name)) {}

SpeechWorker::~SpeechWorker() = default;

void SpeechWorker::Start() {
    engine_ = std::make_unique<QTextToSpeech>(engine_name_);
    if (engine_->state() == QTextToSpeech::Error) {
        engine_.reset();
        emit started(false);
        return;
    }
    ChooseEnglishVoice(*engine_);
    connect(engine_.get(), &QTextToSpeech::stateChanged, this,
            [this](QTextToSpeech::State state) { emit stateReported(state, command_); });
    emit started(true);
}

void SpeechWorker::Speak(const QString& text, quint64 command) {
    command_ = command;
    if (engine_) {
        if (engine_->state() == QTextToSpeech::Speaking) {
            engine_->stop();
        }
        engine_->say(text);
    }
}

void SpeechWorker::Stop(quint64 command) {
    command_ = command;
    if (engine_) {
        engine_->stop();
    }
}

void SpeechWorker::Close(QSemaphore& closed) {
    if (engine_) {
        engine_->stop();
        engine_.reset();
    }
    closed.release();
}

}  // namespace quorvantix
