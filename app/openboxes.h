#pragma once
// The message and input boxes the game has open at a given moment. A question that ends under
// an open box (its time ran out) answers them: each closes as if "Нет" or "Отмена" had been
// chosen, or as OK for a plain message, so no stale box outlives the game it asked about.

class QDialog;

namespace karv {

void boxOpened(QDialog *box);
void boxClosed(QDialog *box);
void dismissOpenBoxes();

} // namespace karv
