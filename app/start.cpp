#include "app/start.h"

#include <QApplication>
#include <QMetaObject>
#include <QTimer>

#include "app/services.h"
#include "app/ui.h"
#include "app/windows.h"
#include "questions/questionbank.h"

namespace karv {

bool Main()
{
    installFontSubstitutes();
    if (desktop().anotherCopyRunning()) {
        dialogs().message(nullptr, MessageIcon::Critical, QStringLiteral("Повторный запуск"),
                          QStringLiteral("Игра ''Карвелон'' уже запущена!"));
        return false;
    }
    const QSize screen = desktop().screenSize();
    if (screen.width() < 800 || screen.height() < 600) {
        dialogs().message(nullptr, MessageIcon::Critical, QStringLiteral("Неподходящее разрешение экрана!"),
                          QStringLiteral("Разрешение вашего экрана: %1x%2\r\n"
                                         "Для нормальной работы программы требуется как минимум 800х600\r\n"
                                         "Установите разрешение 800х600 (или выше) и запустите игру заново.")
                              .arg(screen.width())
                              .arg(screen.height()));
        return false;
    }
    const QStringList bankErrors = QuestionBank::loadAll();
    if (!bankErrors.isEmpty()) {
        dialogs().message(nullptr, MessageIcon::Critical, QStringLiteral("Повреждены вопросы игры"),
                          QStringLiteral("Игра не может загрузить свои вопросы:\r\n") + bankErrors.join(QStringLiteral("\r\n")));
        return false;
    }
    QWidget *menu = karv::window(QStringLiteral("frm_start"));
    menu->show();
    menu->activateWindow();
    return true;
}

void QuitGame()
{
    for (const char *name : quitOrder)
        unloadWindow(QLatin1String(name));
    QCoreApplication::quit();
}

void ShowAbout(QWidget *owner)
{
    QWidget *about = karv::window(QStringLiteral("frmAbout"));
    if (!about)
        return;
    if (owner)
        owner->setEnabled(false);
    about->show();
    about->activateWindow();
    if (QWidget *et = about->findChild<QWidget *>(QStringLiteral("cmd_et")))
        et->setFocus();
    if (QWidget *ok = about->findChild<QWidget *>(QStringLiteral("cmdOK")))
        ok->setFocus();
}

void backToMainMenu(QWidget *from)
{
    unloadWindow(QStringLiteral("frm_start"));
    if (from)
        from->hide();
    QWidget *menu = karv::window(QStringLiteral("frm_start"));
    menu->show();
    menu->activateWindow();
    menu->setFocus();
    for (const char *name : gameWindows)
        unloadWindow(QLatin1String(name));
}

bool stillOnScreen(const QWidget *asker) { return !asker || asker->isVisible(); }

void askToQuit(QWidget *owner, const char *farewell)
{
    if (!dialogs().askYesNo(owner, MessageIcon::Question, QStringLiteral("Выход из игры"),
                            QStringLiteral("Вы действительно хотите выйти из этой игры?"))
        || !stillOnScreen(owner))
        return;
    dialogs().message(owner, MessageIcon::Exclamation, QStringLiteral("До свидания!"), QString::fromUtf8(farewell));
    QuitGame();
}

} // namespace karv
