#include "UnitMemo.h"

#include "UnitLook.h"

#include <QMimeData>
#include <QTextCursor>

#include <algorithm>

namespace {

bool HasNoFormat(const QMimeData *Source)
{
    return Source && Source->formats().isEmpty();
}

} // namespace

TMemo::TMemo(QWidget *Parent) : QPlainTextEdit(Parent)
{
    GuardedConnect(this, &QPlainTextEdit::textChanged, this, [this] { CutToMaxLength(); });
}

void TMemo::SetMaxLength(int Length)
{
    FMaxLength = std::max(0, Length);
    CutToMaxLength();
}

bool TMemo::canInsertFromMimeData(const QMimeData *Source) const
{
    return !HasNoFormat(Source) && QPlainTextEdit::canInsertFromMimeData(Source);
}

void TMemo::insertFromMimeData(const QMimeData *Source)
{
    // Every paste comes through here: the shortcut, the context menu's "Coller", the middle
    // click and a drop alike.
    if (HasNoFormat(Source))
        return;
    QPlainTextEdit::insertFromMimeData(Source);
}

void TMemo::CutToMaxLength()
{
    // A QPlainTextEdit has no length limit of its own: what goes beyond it is cut at once.
    if (FMaxLength == 0)
        return;
    const QString Text = toPlainText();
    if (Text.length() <= FMaxLength)
        return;
    setPlainText(Text.left(FMaxLength));
    moveCursor(QTextCursor::End);
}
