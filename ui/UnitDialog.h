// The program's only message box: one modal window for every question, warning, notice
// and error, sized to its text, with "OK" or "Oui"/"Non".
#pragma once

#include "KVXGraphics.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>

class QLabel;
class TSevenButton;

// The kind of message: its window caption and picture.
enum TDialogType : std::uint8_t
{
    dtAlert,  // "Alerte"
    dtError,  // "Erreur"
    dtInfo,   // "Information"
    dtConfirm // "Confirmation"
};

// The buttons offered: by kind ("Oui"/"Non" for a confirmation, else "OK"), "OK" alone, or
// "Oui" and "Non".
enum TDialogButtons : std::uint8_t
{
    dbAuto,
    dbOk,
    dbYesNo
};

// Where the controls of the box go for a message of a given place and size.
struct TDialogLayout
{
    QSize Client;
    int ButtonsTop = 0;
    int OkLeft = 0;
    int YesLeft = 0;
    int NoLeft = 0;
};

class TFormDialog : public QDialog
{
    Q_OBJECT

public:
    // Raises Exception when a picture of the box cannot be loaded.
    explicit TFormDialog(QWidget *Parent = nullptr);
    ~TFormDialog() override;

    // Shows Msg modally and returns the answer: 1 "OK", 6 "Oui", 7 "Non", 2 when the box is
    // closed by Escape or by its title bar. Each line break of Msg starts a new line.
    int Show(const QString &Msg, TDialogType Kind, TDialogButtons Buttons);
    // Background of the window, which the message shows through.
    void SetColor(TColor Color);
    // Font of the window (and so of the message) and of the three buttons in all their
    // states; disabled buttons keep the grey text colour.
    void SetFont(const QString &Name, int Size, TColor Color);

    // The layout for the message at Message: the client area widens to the message and
    // never goes under its minimum, the buttons sit under the picture and the message.
    static TDialogLayout DialogLayout(const QRect &Message);
    // Top-left corner that centres an outer size of Box on the rectangle Around.
    static QPoint CentredPosition(const QRect &Around, QSize Box);
    // The size the message takes: its longest line by all its lines.
    static QSize MessageSize(const QFont &Font, const QString &Msg);
    // The room the message has on a screen whose free area is Screen, so that the whole box,
    // frame and buttons included, stays on it.
    static QSize MessageRoom(QSize Screen);
    // Msg as the box shows it in Room: each line broken at word boundaries (inside a word
    // longer than a line, anywhere) to at most Room's width; when the lines are higher than
    // Room, the last one that fits ends with "…". A text far longer than any box is cut first,
    // so that its size costs nothing to measure.
    static QString FittedMessage(const QFont &Font, const QString &Msg, QSize Room);
    // Pos moved as little as needed for a box of outer size Box to lie within Screen.
    static QPoint KeptOnScreen(QPoint Pos, QSize Box, const QRect &Screen);

    // Smallest client area: what a Windows dialog frame leaves of the designed smallest outer
    // size of 300 by 106 (an 8-pixel frame on each side and a 22-pixel title bar).
    static constexpr int MinClientWidth = 284;
    static constexpr int MinClientHeight = 68;

    QLabel *LbMessage = nullptr;
    TSevenButton *BtYes = nullptr;
    TSevenButton *BtNo = nullptr;
    TSevenButton *BtOk = nullptr;
    QLabel *ImageSystem = nullptr;

public slots:
    // The close button of the title bar answers 2, as Escape does.
    void reject() override;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void showEvent(QShowEvent *Event) override;

private:
    void FormCreate();
    void FormDestroy();
    void FormShow();
    void LoadImages();
    void FreeImages();
    void AdjustDim();
    void PosButtons();
    void AdjustPos();
    bool ApplicationEvents1Message(QEvent *Event);
    void ApplyFont(const QFont &Font, TColor Color);

    friend struct TDialogTest;

    QPixmap FImageInfo;
    QPixmap FImageAlert;
    QPixmap FImageError;
    QPixmap FImageQuestion;
};

// Test interface of the message box: while answers are queued, Show takes the next one
// instead of waiting for the user (the box is prepared, but not shown); every Show records
// what it was asked.
struct TDialogTest
{
    // What a test program does with a box that finds no queued answer; it gets the message.
    using TUnanswered = std::function<void(const QString &Msg)>;

    static void QueueAnswers(std::initializer_list<int> Answers);
    // Forgets the queued answers and what was shown; the handler stays.
    static void Reset();
    // With a handler, a box that finds no queued answer hands its message to it and answers 2
    // at once, never shown: a test program learns which test forgot an answer instead of
    // waiting for a user who never comes. Without one, as in the program, the box is shown
    // and waits. Gives the handler it replaces.
    static TUnanswered SetUnansweredHandler(TUnanswered Handler);
    // For a test that answers the real box: while it lives, a box without a queued answer is
    // shown and waits; the handler comes back when it ends.
    class TRealBox
    {
    public:
        TRealBox();
        ~TRealBox();
        TRealBox(const TRealBox &) = delete;
        TRealBox &operator=(const TRealBox &) = delete;

    private:
        TUnanswered FPrevious;
    };

    static bool AnswersLeft();
    static int ShowCount();
    static QString LastMessage();
    static TDialogType LastKind();
    static TDialogButtons LastButtons();
};

// The message box of the whole run, created at start-up.
extern TFormDialog *FormDialog;
