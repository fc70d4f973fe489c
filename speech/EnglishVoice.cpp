#include "speech/EnglishVoice.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace quorvantix {

namespace {

bool IsEnglish(const QLocale& locale) {
    return locale.language() == QLocale::English;
}

}  // namespace

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

}  // namespace quorvantix
