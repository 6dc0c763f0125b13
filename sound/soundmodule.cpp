// The game's sound player, a module of its own: the multimedia stack behind it (Qt Multimedia,
// the sound server's client and its codecs, some twenty libraries) is loaded only when the
// first sound is played, so the game starts without it and a player who never hears a sound
// never pays for it.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include "sound/soundmodule.h"

extern "C" Q_DECL_EXPORT void karv20_play_wave(const QString &wavPath)
{
    static QPointer<QSoundEffect> effect;
    if (!qApp || QMediaDevices::defaultAudioOutput().isNull())
        return; // no audio device: the game plays on in silence
    if (!effect)
        effect = new QSoundEffect(qApp);
    const QUrl source = QUrl::fromLocalFile(wavPath);
    if (effect->source() != source)
        effect->setSource(source);
    effect->play();
}
