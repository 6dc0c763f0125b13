#include "app/services.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLibrary>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "app/folderlock.h"
#include "app/openboxes.h"
#include "app/startbutton.h"
#include "sound/soundmodule.h"

namespace karv {
namespace {

class QtRandom final : public Random {
public:
    double next() override
    {
#ifdef KARV_SCRIPTED_DRAWS
        // Test builds: KARV20_DRAWS="u1,u2,..." makes the generator give those values in turn,
        // so that a script playing the real program knows which questions it is asked.
        static const QList<double> scripted = [] {
            QList<double> values;
            for (const QByteArray &part : qgetenv("KARV20_DRAWS").split(',')) {
                bool ok = false;
                const double u = part.trimmed().toDouble(&ok);
                if (ok && u >= 0 && u < 1)
                    values.append(u);
            }
            return values;
        }();
        static qsizetype nextScripted = 0;
        if (!scripted.isEmpty())
            return scripted[nextScripted++ % scripted.size()];
#endif
        return gen_.generateDouble();
    }
    void seedFromClock() override
    {
        gen_.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() ^ quintptr(this)));
    }

private:
    QRandomGenerator gen_{QRandomGenerator::securelySeeded()};
};

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Message texts keep CR LF line breaks as stored; the box shows plain line breaks.
QString shown(const QString &text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// Runs a modal box while it is listed among the open ones, so that an ending game can answer it.
int execListed(QDialog &box)
{
    boxOpened(&box);
    const int result = box.exec();
    boxClosed(&box);
    return result;
}

class QtDialogs final : public Dialogs {
public:
    void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override
    {
        QMessageBox box(toQt(icon), title, shown(text), QMessageBox::Ok, owner);
        execListed(box);
    }
    bool askYesNo(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override
    {
        QMessageBox box(toQt(icon), title, shown(text), QMessageBox::Yes | QMessageBox::No, owner);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
        box.setDefaultButton(QMessageBox::Yes);
        return execListed(box) == QMessageBox::Yes;
    }
    QString input(QWidget *owner, const QString &title, const QString &prompt, const QString &defaultText) override
    {
        QInputDialog dialog(owner);
        dialog.setWindowTitle(title);
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultText);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Отмена"));
        return execListed(dialog) == QDialog::Accepted ? dialog.textValue() : QString();
    }
};

class QtDesktop final : public Desktop {
public:
    bool anotherCopyRunning() override
    {
        // The lock belongs to the data folder, so two copies never share one folder, whatever
        // their environment; the system drops it with its holder, so no crash can leave the
        // game refusing to start. A folder that cannot hold a lock does not keep the player out.
        if (!lock_)
            lock_ = std::make_unique<FolderLock>(dataDirectory());
        return lock_->state() == FolderLock::State::HeldElsewhere;
    }
    QSize screenSize() override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize(0, 0);
    }
    void hideStartButton() override { startbutton::hide(); }
    void disableStartButton() override { startbutton::disable(); }
    void restoreStartButton() override { startbutton::restore(); }
    bool openUrl(const QString &url) override
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // Qt hands the link to xdg-open and reports success once xdg-open has started, even
        // when it then finds no program for the link; its exit status says whether one took it.
        if (const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-open")); !tool.isEmpty())
            return openWith(tool, url);
#endif
        return QDesktopServices::openUrl(QUrl(url));
    }
    void beep() override { QApplication::beep(); }
    void clearClipboard() override
    {
        if (QClipboard *clip = QGuiApplication::clipboard())
            clip->clear();
    }
    void startWindowMove(QWidget *window) override
    {
        if (window && window->windowHandle())
            window->windowHandle()->startSystemMove();
    }
    void playSound(const QString &wavPath) override
    {
        if (!QFileInfo::exists(wavPath))
            return;
        if (PlayWaveFunction play = soundPlayer())
            play(wavPath);
    }
    QString dataDirectory() override
    {
        QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (dir.isEmpty())
            dir = QDir::homePath() + QStringLiteral("/.karv20");
        QDir().mkpath(dir);
        return dir;
    }
    QString programDirectory() override
    {
        // Beside the program when it runs from its build folder; an installed game keeps
        // its sound in its data folder next to bin/.
        QString dir = QCoreApplication::applicationDirPath();
        while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
            dir.chop(1);
        const QString installed = QDir::cleanPath(dir + QStringLiteral("/../share/karv20"));
        if (!QFileInfo::exists(dir + QStringLiteral("/over.wav")) && QFileInfo::exists(installed + QStringLiteral("/over.wav")))
            return installed;
        return dir;
    }

private:
    // Runs the desktop's opener on the link and waits a moment for its verdict. Desktops hand
    // the link on and answer at once; an opener still running after that has started a mail
    // program in the foreground, which has the link. It is left running on its own.
    static bool openWith(const QString &tool, const QString &url)
    {
        auto *run = new QProcess;
        run->setProgram(tool);
        run->setArguments({url});
        run->setStandardInputFile(QProcess::nullDevice());
        run->setStandardOutputFile(QProcess::nullDevice());
        run->setStandardErrorFile(QProcess::nullDevice());
        run->start();
        if (!run->waitForStarted(2000)) {
            delete run;
            return false;
        }
        if (!run->waitForFinished(3000)) {
            QObject::connect(run, &QProcess::finished, run, &QObject::deleteLater);
            return true;
        }
        const bool taken = run->exitStatus() == QProcess::NormalExit && run->exitCode() == 0;
        delete run;
        return taken;
    }

    // The sound module, looked for beside the program (the build folder) and then in the
    // installed game's library folder; loaded once, on the first sound. Without it the game
    // is silent.
    PlayWaveFunction soundPlayer()
    {
        if (!soundLookedFor_) {
            soundLookedFor_ = true;
            const QString dir = QCoreApplication::applicationDirPath();
            for (const QString &where : {dir, dir + QStringLiteral("/../" KARV_INSTALL_LIBDIR "/karv20")}) {
                QLibrary module(where + QStringLiteral("/karv20_sound"));
                if (module.load()) {
                    play_ = reinterpret_cast<PlayWaveFunction>(module.resolve(playWaveSymbol));
                    if (play_)
                        break;
                }
            }
        }
        return play_;
    }

    std::unique_ptr<FolderLock> lock_;
    bool soundLookedFor_ = false;
    PlayWaveFunction play_ = nullptr;
};

std::unique_ptr<Random> &randomSlot()
{
    static std::unique_ptr<Random> slot;
    return slot;
}
std::unique_ptr<Dialogs> &dialogsSlot()
{
    static std::unique_ptr<Dialogs> slot;
    return slot;
}
std::unique_ptr<Desktop> &desktopSlot()
{
    static std::unique_ptr<Desktop> slot;
    return slot;
}

} // namespace

Random &random()
{
    auto &slot = randomSlot();
    if (!slot)
        slot = std::make_unique<QtRandom>();
    return *slot;
}

Dialogs &dialogs()
{
    auto &slot = dialogsSlot();
    if (!slot)
        slot = std::make_unique<QtDialogs>();
    return *slot;
}

Desktop &desktop()
{
    auto &slot = desktopSlot();
    if (!slot)
        slot = std::make_unique<QtDesktop>();
    return *slot;
}

void install(std::unique_ptr<Random> r) { randomSlot() = std::move(r); }
void install(std::unique_ptr<Dialogs> d) { dialogsSlot() = std::move(d); }
void install(std::unique_ptr<Desktop> d) { desktopSlot() = std::move(d); }

} // namespace karv
