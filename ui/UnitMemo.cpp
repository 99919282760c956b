#include "UnitMemo.h"

#include "UnitLook.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

bool HasNoFormat(const QMimeData *Source)
{
    return Source && Source->formats().isEmpty();
}

// Whether the key puts text into the box: a line break, or a character to print. With Ctrl
// held it is a command (ctrl+z, ctrl+v), whatever text it carries.
bool TypesText(const QKeyEvent *Event)
{
    if (Event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        return true;
    const QString Text = Event->text();
    return !Text.isEmpty() && (Text.at(0).isPrint() || Text.at(0) == QLatin1Char('\t'));
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
    // A full box takes nothing, and leaves no empty step in the undo history.
    if (FMaxLength > 0 && Room() <= 0)
        return;
    InsertWithin([&] { QPlainTextEdit::insertFromMimeData(Source); });
}

void TMemo::keyPressEvent(QKeyEvent *Event)
{
    if (FMaxLength == 0 || !TypesText(Event)) {
        QPlainTextEdit::keyPressEvent(Event);
        return;
    }
    // Dropped, and kept from the window: Enter would press its default button.
    if (Room() <= 0) {
        Event->accept();
        return;
    }
    InsertWithin([&] { QPlainTextEdit::keyPressEvent(Event); });
}

void TMemo::inputMethodEvent(QInputMethodEvent *Event)
{
    // Text being composed is not yet in the box; only what the input method commits is.
    if (Event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(Event);
        return;
    }
    InsertWithin([&] { QPlainTextEdit::inputMethodEvent(Event); });
}

int TMemo::Room() const
{
    const QTextCursor Cursor = textCursor();
    return FMaxLength - (document()->characterCount() - 1) + Cursor.selectionEnd() - Cursor.selectionStart();
}

void TMemo::InsertWithin(const std::function<void()> &Insert)
{
    if (FMaxLength == 0) {
        Insert();
        return;
    }
    QTextCursor Step(document());
    Step.beginEditBlock();
    Insert();
    // The cursor ends after what came in; the text before it was within the maximum.
    const int End = textCursor().position();
    const int Excess = document()->characterCount() - 1 - FMaxLength;
    if (Excess > 0) {
        int From = std::max(0, End - Excess);
        // Never half of a character that takes two code units.
        if (From > 0 && document()->characterAt(From - 1).isHighSurrogate())
            --From;
        QTextCursor Cut(document());
        Cut.setPosition(From);
        Cut.setPosition(End, QTextCursor::KeepAnchor);
        Cut.removeSelectedText();
    }
    Step.endEditBlock();
}

void TMemo::CutToMaxLength()
{
    // Text set by the program: a QPlainTextEdit has no length limit of its own, and what goes
    // beyond it is cut at once.
    if (FMaxLength == 0)
        return;
    const QString Text = toPlainText();
    if (Text.length() <= FMaxLength)
        return;
    setPlainText(Text.left(FMaxLength));
    moveCursor(QTextCursor::End);
}
