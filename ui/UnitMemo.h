// The multi-line text box of every window. Qt 6.4 dies on a paste whose source offers no
// format at all (ctrl+v on an empty clipboard, a middle click with no selection): it reads
// the first format of an empty list. The memo leaves such a source alone, and can cut its
// text to a maximum length as an edit box does.
#pragma once

#include <QPlainTextEdit>

class QMimeData;

class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *Parent = nullptr);

    // Text beyond Length characters is cut as soon as it arrives, typed, pasted or set;
    // 0 for no limit.
    void SetMaxLength(int Length);
    int MaxLength() const { return FMaxLength; }

protected:
    bool canInsertFromMimeData(const QMimeData *Source) const override;
    void insertFromMimeData(const QMimeData *Source) override;

private:
    int FMaxLength = 0;

    void CutToMaxLength();
};
