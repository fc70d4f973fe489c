#pragma once

#include <QString>
#include <QThread>
#include <memory>

#include "speech/SpeechControl.h"

namespace quorvantix {

class FliteSpeech;
class SpeechWorker;

// The speech control, speaking English: speechd's engine on a thread of its own, or flite
// (see FliteSpeech) where speechd cannot start or fails. No call waits for speechd: words and
// stops are handed to its thread, and the state is the one it last reported. The engine is
// started by Prepare() or on first use, never by the constructor. When the application quits,
// the engine is closed, waiting for that at most half a second.
class TTextToSpeech : public SpeechControl {
  public:
    static constexpr const char* kPreferredEngine = "speechd";

    explicit TTextToSpeech(QString preferred_engine = kPreferredEngine,
                           QString fallback_engine = "flite");
    ~TTextToSpeech() override;
    TTextToSpeech(const TTextToSpeech&) = delete;
    TTextToSpeech& operator=(const TTextToSpeech&) = delete;

    void Prepare() noexcept override;

    SpeechState SpeakingState() override;
    void Speak(const std::u16string& text) override;
    void StopSpeech() override;

  private:
    enum class Engine { kNone, kPreferred, kFallback, kClosed };

    void StartPreferred();
    void OnStarted(bool usable);
    void OnStateReported(SpeechState state, quint64 command);
    FliteSpeech& Fallback();
    void Close() noexcept;

    QString preferred_engine_;
    QString fallback_engine_;
    Engine engine_ = Engine::kNone;
    // Receives the worker's reports on this thread; destroying it ends them.
    std::unique_ptr<QObject> receiver_;
    std::unique_ptr<QThread> thread_;
    // Deleted by its thread when the thread finishes.
    SpeechWorker* worker_ = nullptr;
    std::unique_ptr<FliteSpeech> fallback_;
    SpeechState state_ = SpeechState::Ready;
    quint64 commands_ = 0;
};

}  // namespace quorvantix
