#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <memory>

#include "speech/SpeechControl.h"

class QTextToSpeech;

namespace quorvantix {

// The speech control over Qt's flite engine on the GUI thread, speaking English.
// The engine is made by Prepare() or on first use, never by the constructor, so making the
// control costs the window nothing; an engine that has failed is replaced on the next call.
// Stopping waits (at most a quarter of a second, passing posted events but no timer or input)
// until the engine is past the synthesis of its last word; destroying also waits for the
// engine to carry out its stop.
class FliteSpeech : public SpeechControl {
  public:
    static constexpr const char* kDefaultEngine = "flite";

    explicit FliteSpeech(QString engine_name = kDefaultEngine);
    ~FliteSpeech() override;
    FliteSpeech(const FliteSpeech&) = delete;
    FliteSpeech& operator=(const FliteSpeech&) = delete;

    // Makes the engine now unless it is there already.
    void Prepare() noexcept override;

    SpeechState SpeakingState() override;
    void Speak(const std::u16string& text) override;
    void StopSpeech() override;

  private:
    QTextToSpeech& UsableEngine();
    void MakeEngine();
    void DropEngine() noexcept;
    void AwaitSynthesis() noexcept;
    void StopAndAwaitSilence() noexcept;
    static void PassPostedEvents() noexcept;

    QString engine_name_;
    std::unique_ptr<QTextToSpeech> engine_;
    // Until then the last word may still be being synthesised (see AwaitSynthesis).
    QDeadlineTimer synthesis_end_;
    bool spoke_ = false;
};

}  // namespace quorvantix
