#pragma once

#include <QObject>
#include <QString>
#include <QTextToSpeech>
#include <memory>

class QSemaphore;

namespace quorvantix {

// Owns one of Qt's text-to-speech engines on a thread of its own; every member but the
// constructor runs on that thread. speechd takes seconds to start its daemon and, without an
// audio server, never ends a word and hangs when it is destroyed: only this thread waits.
class SpeechWorker : public QObject {
    Q_OBJECT

  public:
    explicit SpeechWorker(QString engine_name);
    ~SpeechWorker() override;

    // Makes the engine and reports whether it can speak.
    void Start();
    // Each command is numbered by the caller; the engine's states are reported with the
    // number of the last command taken.
    void Speak(const QString& text, quint64 command);
    void Stop(quint64 command);
    // Stops and destroys the engine (which lets speechd's daemon forget this program), then
    // releases the semaphore.
    void Close(QSemaphore& closed);

  signals:
    void started(bool usable);
    void stateReported(QTextToSpeech::State state, quint64 command);

  private:
    QString engine_name_;
    std::unique_ptr<QTextToSpeech> engine_;
    quint64 command_ = 0;
};

}  // namespace quorvantix
