// The sound module: loaded by the game only for a sound that exists, found beside the program,
// offering its player under the expected name, silent without a device.
#include <QDir>
#include <QLibrary>
#include <QTest>

#include "app/services.h"
#include "sound/soundmodule.h"
#include "tests/support/testmain.h"

using namespace karv;

class SoundTest : public QObject {
    Q_OBJECT
    // Whether the game has loaded the module: handles to one name share its state, so a fresh
    // handle under the game's own name for it tells.
    static bool gameLoadedTheModule()
    {
        return QLibrary(QCoreApplication::applicationDirPath() + QStringLiteral("/karv20_sound")).isLoaded();
    }

private slots:
    void theGameLoadsNoModuleForAMissingSound()
    {
        install(std::unique_ptr<Desktop>{}); // the real desktop
        desktop().playSound(QDir::tempPath() + QStringLiteral("/no-such-sound.wav"));
        QVERIFY(!gameLoadedTheModule());
    }

    void theGameFindsTheModuleBesideItselfForARealSound()
    {
        // This test program is built beside the game, where the game looks for the module.
        install(std::unique_ptr<Desktop>{});
        desktop().playSound(QStringLiteral(KARV_WAVE));
        QVERIFY(gameLoadedTheModule());
        desktop().playSound(QStringLiteral(KARV_WAVE)); // a second sound reuses the player
    }

    void theModuleOffersItsPlayer()
    {
        QLibrary module(QStringLiteral(KARV_SOUND_MODULE));
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        auto play = reinterpret_cast<PlayWaveFunction>(module.resolve(playWaveSymbol));
        QVERIFY(play);
        // Here there is no audio device: both calls return quietly, the second with a real wave.
        play(QStringLiteral("/nonexistent/over.wav"));
        play(QStringLiteral(KARV_WAVE));
        play(QStringLiteral(KARV_WAVE));
    }
};

KARV_TEST(SoundTest)
#include "test_sound.moc"
