#include "app/mail.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QWidget>

#include "app/services.h"
#include "app/windows.h"

namespace karv {

QString mailtoLink(const QString &address, const QString &subject)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"), subject);
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

bool clipboardKeptEmpty()
{
    const QWidget *cheat = loadedWindow(QStringLiteral("frm_cheat"));
    const QTimer *clearer = cheat ? cheat->findChild<QTimer *>(QStringLiteral("tmr_clear")) : nullptr;
    return clearer && clearer->isActive();
}

QString mailNotSentTitle() { return QStringLiteral("Письмо не отправлено"); }

QString mailNotSentText(const QString &address, const QString &subject, bool addressCopied)
{
    QString text = QStringLiteral("Не удалось передать письмо почтовой программе: похоже, она не установлена "
                                  "или не настроена.\r\nНапишите, пожалуйста, письмо сами.\r\n\r\nАдрес: ") +
                   address + QStringLiteral("\r\nТема: ") + subject;
    if (addressCopied)
        text += QStringLiteral("\r\n\r\nАдрес скопирован в буфер обмена.");
    return text;
}

bool sendMail(QWidget *owner, const QString &address, const QString &subject)
{
    if (desktop().openUrl(mailtoLink(address, subject)))
        return true;
    // Nothing took the link: the window that stepped aside for the mail program comes back to
    // say so, and the player writes the mail by hand.
    if (owner) {
        if (owner->isMinimized())
            owner->showNormal();
        owner->raise();
        owner->activateWindow();
    }
    bool copied = false;
    if (!clipboardKeptEmpty())
        if (QClipboard *clipboard = QGuiApplication::clipboard()) {
            clipboard->setText(address);
            copied = true;
        }
    dialogs().message(owner, MessageIcon::Information, mailNotSentTitle(), mailNotSentText(address, subject, copied));
    return false;
}

} // namespace karv
