// The multi-line text box of every window. Qt 6.4 dies on a paste whose source offers no
// format at all (ctrl+v on an empty clipboard, a middle click with no selection): it reads
// the first format of an empty list. The memo leaves such a source alone, and can keep its
// text to a maximum length as an edit box does.
#pragma once

#include <QPlainTextEdit>

#include <functional>

class QMimeData;

class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *Parent = nullptr);

    // At most Length characters; 0 for no limit. What the user types, pastes, drops or enters
    // through an input method goes in at the cursor as far as there is room, a selection it
    // replaces counting as room: the text around the cursor stays and the end of what came is
    // dropped, as a one-line edit box does. Text set by the program is cut to its first
    // Length characters.
    void SetMaxLength(int Length);
    int MaxLength() const { return FMaxLength; }

protected:
    bool canInsertFromMimeData(const QMimeData *Source) const override;
    void insertFromMimeData(const QMimeData *Source) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void inputMethodEvent(QInputMethodEvent *Event) override;

private:
    int FMaxLength = 0;

    // Characters the text can still take at the cursor.
    int Room() const;
    // Runs Insert, which puts text at the cursor, then drops what goes beyond the maximum from
    // the end of what it put, the whole as one step of the undo history.
    void InsertWithin(const std::function<void()> &Insert);
    void CutToMaxLength();
};
