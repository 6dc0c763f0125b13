#pragma once
// Mail to the author: a mailto: link handed to the desktop, and what the player is told when
// no mail program takes it.

#include <QString>

class QWidget;

namespace karv {

// The link to an address with a subject, percent-encoded so that the Cyrillic subject reaches
// the mail program intact.
QString mailtoLink(const QString &address, const QString &subject);

// True while the cheat-code entry is open and keeps the clipboard empty.
bool clipboardKeptEmpty();

// The title and text of the message shown when no mail program took a link: the address and
// the subject to write by hand, and whether the address is waiting on the clipboard.
QString mailNotSentTitle();
QString mailNotSentText(const QString &address, const QString &subject, bool addressCopied);

// Hands the link to the desktop. When no program takes it, `owner` is brought back from the
// taskbar and the player is told the address and subject to write to by hand; the address is
// put on the clipboard unless the cheat-code entry is keeping it empty. True when a program
// took the link.
bool sendMail(QWidget *owner, const QString &address, const QString &subject);

} // namespace karv
